// Editing the map with the mouse: a click on empty space creates a city, a
// drag moves a node, a Shift-drag draws a road (creating a city where it ends
// on empty space), a right click selects or unselects a city, a double click
// opens the city window.

#include "guibase/Text.h"
#include "map/TSPMap.h"
#include "ui/MapPainter.h"
#include "ui/frmLittleHint.h"
#include "ui/untHint.h"
#include "ui/untMain.h"

#include <QCursor>

#include <algorithm>
#include <cmath>

namespace {

QString PointText(int x, int y) {
    return QStringLiteral(" (%1; %2)").arg(x).arg(y);
}

int32_t LargestId(const TTSPMap& map) {
    int32_t largest = -1;
    for (const TCity& city : map.Cities())
        largest = std::max(largest, city.ID);
    return largest;
}

int Truncated(double value) {
    return static_cast<int>(std::trunc(value));
}

} // namespace

void TfrmMain::ShowLittleHint(const QString& text, const QPoint& screenPos) {
    if (!LittleHint)
        return;
    LittleHint->move(screenPos.x() + 10, screenPos.y() - LittleHint->height() - 10);
    LittleHint->SetText(text);
    LittleHint->FitWidth();
    LittleHint->show();
}

void TfrmMain::HideLittleHint() {
    if (LittleHint)
        LittleHint->hide();
}

void TfrmMain::SetHandCursor(bool hand) {
    if (hand == handShown_)
        return;
    handShown_ = hand;
    if (hand)
        Roads->setCursor(*handCursor_);
    else
        Roads->unsetCursor();
}

void TfrmMain::CreateNodeAt(int x, int y) {
    TCity city;
    city.ID = LargestId(g_Map) + 1;
    city.Name = std::to_string(city.ID);
    city.X = x;
    city.Y = y;
    city.ThisCity = true;
    g_Map.AddCity(city);
    g_Display.ShowPath = false;
    RedrawMap();
}

void TfrmMain::RoadsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
                              const QPoint& screenPos) {
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool ctrlOrAlt =
        modifiers.testFlag(Qt::ControlModifier) || modifiers.testFlag(Qt::AltModifier);
    if (button == Qt::LeftButton && shift && !ctrlOrAlt) {
        // Start a road at the first node under the pointer.
        const int32_t p = hitIndex_.First(g_Map, x, y);
        if (p >= 0) {
            const TCity& city = g_Map.City(p);
            CurrentNodeID = city.ID;
            RoadStartX = Truncated(city.X);
            RoadStartY = Truncated(city.Y);
            RoadCurX = RoadStartX;
            RoadCurY = RoadStartY;
            RoadStartIndex = p;
            RoadStartID = city.ID;
            RoadEndID = -1;
            ShowLittleHint(Text("Новая дорога") + PointText(x, y), screenPos);
        }
    } else if (button == Qt::LeftButton) {
        // Move the last node under the pointer, or create a city.
        const int32_t p = hitIndex_.Last(g_Map, x, y);
        Moving = false;
        if (p < 0) {
            CreateNodeAt(x, y);
        } else {
            const TCity& city = g_Map.City(p);
            CurrentNodeID = city.ID;
            ShowLittleHint(Text("Перемещение ") + QString::fromStdString(city.Name) +
                               PointText(x, y),
                           screenPos);
            Moving = true;
            MovingID = CurrentNodeID;
        }
    } else if (button == Qt::RightButton) {
        // Toggle the selection of the first city under the pointer; the next
        // refresh shows its new colour.
        CurrentNodeID = -1;
        const int32_t p = hitIndex_.First(g_Map, x, y);
        if (p >= 0) {
            CurrentNodeID = g_Map.City(p).ID;
            // A run works on the selection it started with.
            StopRunIfActive();
            if (g_Map.SelectedCities().Exists(CurrentNodeID))
                g_Map.UnselectCity(CurrentNodeID);
            else
                g_Map.SelectCity(CurrentNodeID);
        }
    }
    UpdateCityCount();
}

void TfrmMain::RoadsMouseMove(Qt::KeyboardModifiers, int x, int y, const QPoint& screenPos) {
    const bool drawingRoad = RoadStartID != -1 && RoadEndID == -1;
    if (drawingRoad) {
        ShowLittleHint(Text("Новая дорога") + PointText(x, y), screenPos);
        RoadCurX = x;
        RoadCurY = y;
        RedrawMap();
    } else if (Moving) {
        const int32_t p = g_Map.IndexOfID(MovingID);
        if (p >= 0) {
            g_Map.SetCityPosition(p, x, y);
            RedrawMap();
            ShowLittleHint(Text("Перемещение ") + QString::fromStdString(g_Map.City(p).Name) +
                               PointText(x, y),
                           screenPos);
        }
    }

    const int32_t hovered = hitIndex_.First(g_Map, x, y);
    SetHandCursor(hovered >= 0);
    if (!Moving && !drawingRoad) {
        if (hovered >= 0)
            ShowLittleHint(Text("Точка: ") + NodeLabel(g_Map, hovered) + PointText(x, y),
                           screenPos);
        else
            HideLittleHint();
    }
}

void TfrmMain::RoadsMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y,
                            const QPoint& screenPos) {
    Moving = false;
    HideLittleHint();
    if (RoadStartID != -1) {
        // The start node may have gone while the road was dragged (a new map
        // by key, say); then there is no road to finish.
        const bool startExists = RoadStartIndex >= 0 && RoadStartIndex < g_Map.Count() &&
                                 g_Map.City(RoadStartIndex).ID == RoadStartID;
        if (startExists) {
            const int32_t end = hitIndex_.First(g_Map, x, y);
            if (end >= 0) {
                RoadEndID = g_Map.City(end).ID;
                if (RoadEndID != RoadStartID && !g_Map.City(end).Roads.Exists(RoadStartID))
                    g_Map.AddRoadEntry(end, RoadStartID);
                const TCity& start = g_Map.City(RoadStartIndex);
                if (start.ID != RoadEndID && !start.Roads.Exists(RoadEndID))
                    g_Map.AddRoadEntry(RoadStartIndex, RoadEndID);
            } else {
                // Ending on empty space makes a city there, joined both ways.
                RoadsMouseDown(Qt::LeftButton, Qt::NoModifier, x, y, screenPos);
                const int32_t last = g_Map.Count() - 1;
                RoadEndID = g_Map.City(last).ID;
                if (!g_Map.City(last).Roads.Exists(RoadStartID))
                    g_Map.AddRoadEntry(last, RoadStartID);
                if (!g_Map.City(RoadStartIndex).Roads.Exists(RoadEndID))
                    g_Map.AddRoadEntry(RoadStartIndex, RoadEndID);
            }
        }
        RoadEndID = -1;
        RoadStartID = -1;
    }
    RedrawMap();
}

void TfrmMain::RoadsDblClick(const QPoint& screenPos) {
    Moving = false;
    if (frmHint) {
        const int32_t p = g_Map.IndexOfID(CurrentNodeID);
        if (p >= 0)
            frmHint->Fill(p);
        frmHint->move(screenPos);
        frmHint->show();
    }
    Moving = false;
}

void TfrmMain::RoadsMouseLeave() {
    // A drag keeps its hint until the release; a hover hint would otherwise
    // stay behind wherever the pointer left the map.
    if (Moving || (RoadStartID != -1 && RoadEndID == -1))
        return;
    HideLittleHint();
    SetHandCursor(false);
}
