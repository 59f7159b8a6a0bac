// Editing the map with the mouse: a click on empty space creates a city, a
// drag moves a node, a Shift-drag draws a road (creating a city where it ends
// on empty space), a right click selects or unselects a city, a double click
// opens the city window.

#include "guibase/Text.h"
#include "map/TSPMap.h"
#include "ui/MapCommands.h"
#include "ui/MapPainter.h"
#include "ui/ScreenPlacement.h"
#include "ui/frmLittleHint.h"
#include "ui/untHint.h"
#include "ui/untMain.h"

#include <QCursor>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

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

// A click on empty space makes a city named after its ID, the largest + 1.
TCity NewCityAt(const TTSPMap& map, int x, int y) {
    TCity city;
    city.ID = LargestId(map) + 1;
    city.Name = std::to_string(city.ID);
    city.X = x;
    city.Y = y;
    city.ThisCity = true;
    return city;
}

// The little hint sits above and right of the pointer; near an edge of the
// screen it moves inside, below the pointer when there is no room above.
QPoint HintPlace(QSize size, QPoint pointer) {
    QPoint place(pointer.x() + 10, pointer.y() - size.height() - 10);
    const QRect screen = AvailableScreenArea(pointer);
    if (place.y() < screen.top())
        place.setY(pointer.y() + 20);
    return KeepInside(QRect(place, size), screen);
}

int Truncated(double value) {
    return static_cast<int>(std::trunc(value));
}

} // namespace

void TfrmMain::ShowLittleHint(const QString& text, const QPoint& screenPos) {
    if (!LittleHint)
        return;
    LittleHint->SetText(text);
    LittleHint->FitWidth();
    LittleHint->move(HintPlace(LittleHint->size(), screenPos));
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
    // The step hides the route and the history's refresh redraws the map.
    const TCity city = NewCityAt(g_Map, x, y);
    PushEdit(new TCreateNodeCommand(EditTarget(), city));
    createdByPress_ = city.ID;
}

void TfrmMain::ToggleSelection(int32_t id) {
    // A run works on the selection it started with.
    StopRunIfActive();
    const TIntegerArray before = g_Map.SelectedCities();
    TIntegerArray after = before;
    const bool selected = after.Exists(id);
    if (selected)
        after.Delete(after.IndexOf(id));
    else
        after.Add(id);
    PushEdit(new TSelectionCommand(EditTarget(),
                                   selected ? Text("снятие выделения") : Text("выделение города"),
                                   before, after));
}

void TfrmMain::RetargetCityWindow() {
    if (frmHint && frmHint->isVisible())
        frmHint->ShowNode(CurrentNodeID);
}

void TfrmMain::RoadsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
                              const QPoint& screenPos) {
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool ctrlOrAlt =
        modifiers.testFlag(Qt::ControlModifier) || modifiers.testFlag(Qt::AltModifier);
    createdByPress_ = -1;
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
            RetargetCityWindow();
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
            moveFrom_ = QPointF(city.X, city.Y);
            Moving = true;
            MovingID = CurrentNodeID;
            RetargetCityWindow();
        }
    } else if (button == Qt::RightButton) {
        // Toggle the selection of the first city under the pointer.
        CurrentNodeID = -1;
        const int32_t p = hitIndex_.First(g_Map, x, y);
        if (p >= 0) {
            CurrentNodeID = g_Map.City(p).ID;
            ToggleSelection(CurrentNodeID);
            RetargetCityWindow();
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

void TfrmMain::RoadsMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y, const QPoint&) {
    const bool moved = Moving;
    Moving = false;
    HideLittleHint();
    if (moved) {
        // One step per drag, from where the node was to where it is now.
        const int32_t p = g_Map.IndexOfID(MovingID);
        if (p >= 0) {
            const QPointF to(g_Map.City(p).X, g_Map.City(p).Y);
            if (to != moveFrom_)
                PushEdit(new TMoveNodeCommand(EditTarget(), Text("перемещение города"), p,
                                              moveFrom_, to));
        }
    }
    if (RoadStartID != -1) {
        FinishRoad(x, y);
        RoadEndID = -1;
        RoadStartID = -1;
    }
    RedrawMap();
}

void TfrmMain::FinishRoad(int x, int y) {
    // The start node may have gone while the road was dragged (a new map by
    // key, say); then there is no road to finish.
    const bool startExists = RoadStartIndex >= 0 && RoadStartIndex < g_Map.Count() &&
                             g_Map.City(RoadStartIndex).ID == RoadStartID;
    if (!startExists)
        return;
    const int32_t end = hitIndex_.First(g_Map, x, y);
    std::optional<TCity> newEnd;
    if (end < 0) {
        // Ending on empty space makes a city there, joined both ways.
        newEnd = NewCityAt(g_Map, x, y);
        RoadEndID = newEnd->ID;
    } else {
        RoadEndID = g_Map.City(end).ID;
    }
    auto road = std::make_unique<TAddRoadCommand>(EditTarget(), RoadStartIndex, end, newEnd);
    // Releasing on the start node itself adds nothing, and makes no step.
    if (!road->AddsNothing())
        PushEdit(road.release());
}

void TfrmMain::RoadsDblClick(const QPoint& screenPos) {
    Moving = false;
    // A double click that missed every node made one with its first press:
    // the window shows that node.
    if (createdByPress_ >= 0)
        CurrentNodeID = createdByPress_;
    if (frmHint) {
        frmHint->ShowNode(CurrentNodeID);
        // Near an edge of the screen the window moves inside, so that
        // "Удалить город" stays within reach.
        frmHint->move(KeepInside(QRect(screenPos, frmHint->frameGeometry().size()),
                                 AvailableScreenArea(screenPos)));
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
