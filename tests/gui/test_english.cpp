// The interface in English, as `trasolan --lang en` or a system that is not
// Russian starts it: the menus, the panels and the messages speak English,
// no window shows a Russian text, and the help is the English page.

#include "support/AppFixture.h"
#include "support/MapHelpers.h"

#include "extras/untHelpAbout.h"
#include "guibase/Language.h"
#include "guibase/Text.h"
#include "map/TSPMap.h"
#include "ui/Help.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"
#include "ui/untResults.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TChartFrame.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using fixture::AddNode;
using fixture::AddRoad;
using fixture::Script;

namespace {

bool HasRussian(const QString& text) {
    static const QRegularExpression russian(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(russian);
}

QString Path(const QObject* object) {
    QStringList names;
    for (; object; object = object->parent())
        names.prepend(object->objectName().isEmpty()
                          ? QString::fromLatin1(object->metaObject()->className())
                          : object->objectName());
    return names.join(u'/');
}

// Every text a widget shows or hints with, as far as the program's controls
// tell.
QStringList ShownTexts(const QWidget* widget) {
    QStringList texts{widget->windowTitle(), widget->toolTip(), widget->statusTip(),
                      widget->whatsThis()};
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        texts << label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        texts << button->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        texts << edit->text() << edit->placeholderText();
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        texts << box->title();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    }
    if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i) << tabs->tabToolTip(i);
    }
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        texts << menu->title();
    if (const auto* header = qobject_cast<const TGradientHeader*>(widget))
        texts << header->Caption() << header->Comment();
    if (const auto* bar = qobject_cast<const TCaptionBar*>(widget))
        texts << bar->Caption();
    if (const auto* chart = qobject_cast<const TChartFrame*>(widget))
        texts << chart->Title() << chart->FootLines();
    const QList<QAction*> actions = widget->actions();
    for (const QAction* action : actions)
        texts << action->text() << action->toolTip() << action->statusTip();
    return texts;
}

} // namespace

class TestEnglish : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { fixture::ResetProgram(); }

    void menusAndPanelSpeakEnglish() {
        QCOMPARE(frmMain->windowTitle(), QStringLiteral("Untitled[*] — Trasolan"));
        QStringList menus;
        for (QMenu* menu : {frmMain->FileMenu, frmMain->EditMenu, frmMain->OptionsMenu,
                            frmMain->ExtraMenu, frmMain->TaskMenu, frmMain->HelpMenu})
            menus << menu->title();
        QCOMPARE(menus, QStringList({QStringLiteral("&File"), QStringLiteral("&Edit"),
                                     QStringLiteral("&Options"), QStringLiteral("E&xtras"),
                                     QStringLiteral("&Task"), QStringLiteral("&Help")}));
        QCOMPARE(frmMain->ShowRoadsItem->text(), QStringLiteral("Show &roads"));
        QCOMPARE(frmMain->EditUndo->text(), QStringLiteral("&Undo"));
        QCOMPARE(frmMain->NewMapBtn->toolTip(), QStringLiteral("Clear the map of cities"));
        QCOMPARE(frmResults->StartBtn->Caption(), QStringLiteral("Start"));
        QCOMPARE(frmResults->MutationTypePanel->itemText(3), QStringLiteral("Random"));
        QStringList labels;
        for (const QLabel* label : frmResults->findChildren<QLabel*>())
            labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("Cities in all...........................")));
        // Qt's own texts are English too, not the Russian of the default.
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
    }

    void messagesSpeakEnglish() {
        // Refused by the task check, a whole message of the core, as the
        // error display shows it.
        QVERIFY(!RunGuarded([] { frmResults->StartBtnClick(); }));
        QCOMPARE(Script().Errors.value(0), QStringLiteral("At least two cities must be selected"));
        // A message the core composes of pieces and values, as the error
        // display shows it.
        QCOMPARE(MessageText(QStringLiteral("Карта слишком велика для решения: 20000 узлов, "
                                            "допускается не более 16384.")),
                 QStringLiteral("The map is too large to solve: 20000 nodes, at most 16384."));
        // A piece is translated as whole words only, and the names of the
        // map are left as they are.
        QCOMPARE(MessageText(QStringLiteral("Задачу решить нельзя: из города «Городец» нельзя "
                                            "добраться по дорогам до города «Тверь».")),
                 QStringLiteral("The task cannot be solved: from the city «Городец» no road "
                                "leads to the city «Тверь»."));
    }

    void solvingAMapWritesEnglishIntoThePanel() {
        for (int i = 0; i < 5; ++i)
            AddNode(40 + 60 * i, 40 + 30 * (i % 2));
        for (int i = 0; i < 4; ++i)
            AddRoad(i, i + 1);
        for (const int id : {0, 2, 4})
            g_Map.SelectCity(id);
        frmResults->show();
        QTimer::singleShot(0, frmResults, [] { frmResults->StopBtnClick(); });
        frmResults->StartBtnClick();
        QVERIFY(!HasRussian(frmResults->InfoMemo->toPlainText()));
        QVERIFY(!frmResults->InfoMemo->toPlainText().isEmpty());
        frmResults->hide();
    }

    void noWindowShowsRussian() {
        QStringList russian;
        const QList<QWidget*> widgets = QApplication::allWidgets();
        for (const QWidget* widget : widgets) {
            const QStringList texts = ShownTexts(widget);
            for (const QString& text : texts)
                if (HasRussian(text))
                    russian << Path(widget) + QStringLiteral(": ") + text;
        }
        if (HasRussian(TfrmHelpAbout::Greeting()))
            russian << QStringLiteral("about box: ") + TfrmHelpAbout::Greeting();
        russian.removeDuplicates();
        if (!russian.isEmpty())
            qWarning().noquote() << QStringLiteral("Russian texts:\n") + russian.join(u'\n');
        QVERIFY(russian.isEmpty());
    }

    void helpIsTheEnglishPage() {
        QVERIFY(HelpPagePath().endsWith(QStringLiteral("/help/en/index.html")));
        frmMain->HelpItem->trigger();
        QCOMPARE(Script().OpenedUrls.size(), 1);
        QCOMPARE(Script().OpenedUrls.first().toLocalFile(), HelpPagePath());
    }
};

int main(int argc, char** argv) {
    return fixture::RunWithApplication(argc, argv, [](int c, char** v) {
        // As main() does: the language before the windows.
        if (!SetInterfaceLanguage(TLanguage::English))
            return 1;
        TestEnglish tests;
        return fixture::RunTests(tests, c, v);
    });
}

#include "test_english.moc"
