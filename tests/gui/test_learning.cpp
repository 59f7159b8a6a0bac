// The learning window: inputs that stay put, operations on fresh copies,
// lists copied once from the solver panel, the help link.
#include "support/AppFixture.h"

#include "core/RandomUnit.h"
#include "demo/TSPNewGenetic.h"
#include "guibase/Seams.h"
#include "ui/Help.h"
#include "ui/HelpWindow.h"
#include "ui/untLearning.h"
#include "ui/untMain.h"
#include "ui/untResults.h"
#include "widgets/TFlatEdit.h"
#include "widgets/TFlatSpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

// The genes shown in a field, or nothing when the text is not a list of
// numbers joined by '-'.
std::vector<int32_t> ParseGenes(const QString& text) {
    std::vector<int32_t> genes;
    if (text.isEmpty())
        return genes;
    for (const QString& part : text.split(u'-')) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok)
            return {};
        genes.push_back(value);
    }
    return genes;
}

bool IsPermutation(const QString& text, int n) {
    std::vector<int32_t> genes = ParseGenes(text);
    if (static_cast<int>(genes.size()) != n)
        return false;
    std::sort(genes.begin(), genes.end());
    for (int i = 0; i < n; ++i)
        if (genes[static_cast<std::size_t>(i)] != i)
            return false;
    return true;
}

QString Text(const demo::TTSPChromosome& chromosome) {
    return QString::fromStdString(chromosome.ToText());
}

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace

class TestLearning : public QObject {
    Q_OBJECT

private:
    TfrmLearning* window() { return frmLearning; }
    QComboBox* PanelList(const char* name) {
        return frmResults->findChild<QComboBox*>(QString::fromLatin1(name));
    }
    // Opens the window on a tab the way the user sees it (shown, not modal).
    void OpenOn(int tab) {
        window()->PageControl1->setCurrentIndex(tab);
        window()->show();
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }
    QStringList& errors() { return fixture::Script().Errors; }
    QList<QUrl>& openedUrls() { return fixture::Script().OpenedUrls; }

private Q_SLOTS:
    void init() { fixture::Script() = fixture::TSeamScript{}; }

    void cleanup() { window()->hide(); }

    void layoutAndTexts() {
        TfrmLearning* w = window();
        QCOMPARE(w->windowTitle(), QStringLiteral("Обучение операциям кроссовера и мутации"));
        QCOMPARE(w->size(), QSize(480, 341));
        QVERIFY(w->windowFlags().testFlag(Qt::Tool));
        QCOMPARE(w->PageControl1->count(), 3);
        QCOMPARE(w->PageControl1->tabText(0), QStringLiteral("Кроссовер"));
        QCOMPARE(w->PageControl1->tabText(1), QStringLiteral("    Мутация    "));
        QCOMPARE(w->PageControl1->tabText(2), QStringLiteral("Настройки"));
        for (const char* name : {"p1", "p2", "c1", "c2", "ChromDoMut", "ChromPosleMut"}) {
            auto* field = w->findChild<TFlatEdit*>(QString::fromLatin1(name));
            QVERIFY2(field, name);
            QVERIFY2(field->isReadOnly(), name);
        }
        QCOMPARE(w->p1->width(), 461);
        QCOMPARE(w->c2->width(), 461);
        QCOMPARE(w->GenCount->value(), 10);
        QCOMPARE(w->findChild<TFlatSpinEdit*>(QStringLiteral("GenCount")), w->GenCount);
        QCOMPARE(w->Button3->text(), QStringLiteral("Генерировать"));
        QCOMPARE(w->Button4->text(), QStringLiteral("Кроссовер"));
        QCOMPARE(w->Button1->text(), QStringLiteral("Генерировать"));
        QCOMPARE(w->Button2->text(), QStringLiteral("Мутировать"));
        QCOMPARE(w->Label11->text(), QStringLiteral("Справка по данному кроссоверу"));
        QCOMPARE(w->CrossoverTypePanel->toolTip(), QStringLiteral("Текущая мутация"));
        QCOMPARE(w->MutationTypePanel->toolTip(), QStringLiteral("Текущая мутация"));
        QStringList labels;
        for (const QLabel* label : w->findChildren<QLabel*>())
            labels << label->text();
        for (const QString& expected :
             {QStringLiteral("Родитель 1"), QStringLiteral("Родитель 2"),
              QStringLiteral("Потомок 1"), QStringLiteral("Потомок 2"),
              QStringLiteral("Хромосома до мутации"), QStringLiteral("Хромосома после мутации"),
              QStringLiteral("Количество генов в хромосоме......................................"),
              QStringLiteral("Тип кроссовера при демонстрации................................"),
              QStringLiteral("Тип мутации при демонстрации......................................"),
              QStringLiteral("Кроссовер"), QStringLiteral("Мутация")})
            QVERIFY2(labels.contains(expected), qPrintable(expected));
    }

    void listsAreTheSolverPanelsAtCreation() {
        const QComboBox* crossover = PanelList("CrossoverTypePanel");
        const QComboBox* mutation = PanelList("MutationTypePanel");
        QVERIFY(crossover);
        QVERIFY(mutation);
        QCOMPARE(Items(window()->CrossoverTypePanel), Items(crossover));
        QCOMPARE(Items(window()->MutationTypePanel), Items(mutation));
        QCOMPARE(
            Items(window()->CrossoverTypePanel),
            QStringList({QStringLiteral("OP"), QStringLiteral("PMX"), QStringLiteral("Triangle"),
                         QStringLiteral("SOP"), QStringLiteral("CUBX")}));
        QCOMPARE(Items(window()->MutationTypePanel),
                 QStringList({QStringLiteral("TwoRandom"), QStringLiteral("Inverse"),
                              QStringLiteral("Reduced"), QStringLiteral("Случайно"),
                              QStringLiteral("Не использовать")}));
        QCOMPARE(window()->CrossoverTypePanel->currentText(), QStringLiteral("OP"));
        QCOMPARE(window()->MutationTypePanel->currentText(), QStringLiteral("Случайно"));
    }

    void listsKeepWhatTheyCopied() {
        QComboBox* crossover = PanelList("CrossoverTypePanel");
        QComboBox* mutation = PanelList("MutationTypePanel");
        QVERIFY(crossover);
        QVERIFY(mutation);
        const int crossoverBefore = crossover->currentIndex();
        const int mutationBefore = mutation->currentIndex();
        const QString ownCrossover = window()->CrossoverTypePanel->currentText();
        const QString ownMutation = window()->MutationTypePanel->currentText();
        crossover->setCurrentIndex(4);
        mutation->setCurrentIndex(0);
        OpenOn(2);
        QCOMPARE(window()->CrossoverTypePanel->currentText(), ownCrossover);
        QCOMPARE(window()->MutationTypePanel->currentText(), ownMutation);
        QCOMPARE(window()->CrossoverTypePanel->count(), 5);
        crossover->setCurrentIndex(crossoverBefore);
        mutation->setCurrentIndex(mutationBefore);
    }

    void openingShowsPermutationsOnEitherTab() {
        OpenOn(0);
        QVERIFY(IsPermutation(window()->p1->text(), 10));
        QVERIFY(IsPermutation(window()->p2->text(), 10));
        QVERIFY(window()->c1->text().isEmpty());
        QVERIFY(window()->c2->text().isEmpty());
        QCOMPARE(window()->p1->text(), Text(window()->Parent1()));
        QCOMPARE(window()->p2->text(), Text(window()->Parent2()));
        window()->PageControl1->setCurrentIndex(1);
        QVERIFY(IsPermutation(window()->ChromDoMut->text(), 10));
        QCOMPARE(window()->ChromDoMut->text(), Text(window()->ChromosomeToMutate()));
        QVERIFY(errors().isEmpty());
    }

    void switchingTabsReshowsInputsWithoutRemaking() {
        OpenOn(0);
        QTest::mouseClick(window()->Button4, Qt::LeftButton);
        QVERIFY(!window()->c1->text().isEmpty());
        const QString parent1 = window()->p1->text();
        window()->PageControl1->setCurrentIndex(1);
        QTest::mouseClick(window()->Button2, Qt::LeftButton);
        const QString before = window()->ChromDoMut->text();
        const QString after = window()->ChromPosleMut->text();
        QVERIFY(IsPermutation(after, 10));

        window()->PageControl1->setCurrentIndex(0);
        QCOMPARE(window()->p1->text(), parent1);
        QVERIFY(window()->c1->text().isEmpty());
        QVERIFY(window()->c2->text().isEmpty());
        window()->PageControl1->setCurrentIndex(1);
        QCOMPARE(window()->ChromDoMut->text(), before);
        QCOMPARE(window()->ChromPosleMut->text(), after);

        // Closing and opening again shows the same inputs.
        window()->hide();
        OpenOn(1);
        QCOMPARE(window()->ChromDoMut->text(), before);
        QCOMPARE(window()->ChromPosleMut->text(), after);
    }

    void repeatedCrossoverKeepsParentsAndShowsNewChildren_data() {
        QTest::addColumn<int>("kind");
        for (int kind = 0; kind < 5; ++kind)
            QTest::newRow(qPrintable(Items(window()->CrossoverTypePanel).value(kind))) << kind;
    }

    void repeatedCrossoverKeepsParentsAndShowsNewChildren() {
        QFETCH(int, kind);
        OpenOn(0);
        window()->CrossoverTypePanel->setCurrentIndex(kind);
        const demo::TTSPChromosome parent1 = window()->Parent1();
        const demo::TTSPChromosome parent2 = window()->Parent2();
        const QString shown1 = window()->p1->text();
        const QString shown2 = window()->p2->text();
        QSet<QString> results;
        for (int click = 0; click < 20; ++click) {
            QTest::mouseClick(window()->Button4, Qt::LeftButton);
            QCOMPARE(window()->p1->text(), shown1);
            QCOMPARE(window()->p2->text(), shown2);
            QCOMPARE(window()->Parent1(), parent1);
            QCOMPARE(window()->Parent2(), parent2);
            QVERIFY(IsPermutation(window()->c1->text(), 10));
            QVERIFY(IsPermutation(window()->c2->text(), 10));
            results << window()->c1->text() + u'|' + window()->c2->text();
        }
        QVERIFY2(results.size() > 1, "every click showed the same children");
        QVERIFY(errors().isEmpty());
    }

    void crossoverAppliesTheSelectedKindToTheParents() {
        OpenOn(0);
        for (int kind = 0; kind < 5; ++kind) {
            window()->CrossoverTypePanel->setCurrentIndex(kind);
            demo::TTSPChromosome expected1 = window()->Parent1();
            demo::TTSPChromosome expected2 = window()->Parent2();
            SetRandSeed(1000u + static_cast<uint32_t>(kind));
            demo::DemoCrossover(static_cast<uint8_t>(kind), window()->Parent1(),
                                window()->Parent2(), expected1, expected2);
            SetRandSeed(1000u + static_cast<uint32_t>(kind));
            window()->Button4Click();
            QCOMPARE(window()->c1->text(), Text(expected1));
            QCOMPARE(window()->c2->text(), Text(expected2));
        }
    }

    void repeatedMutationNeverAccumulates_data() {
        QTest::addColumn<int>("kind");
        for (int kind = 0; kind < 5; ++kind)
            QTest::newRow(qPrintable(Items(window()->MutationTypePanel).value(kind))) << kind;
    }

    void repeatedMutationNeverAccumulates() {
        QFETCH(int, kind);
        OpenOn(1);
        window()->MutationTypePanel->setCurrentIndex(kind);
        const demo::TTSPChromosome original = window()->ChromosomeToMutate();
        const QString before = window()->ChromDoMut->text();
        demo::TTSPChromosome expected = original;
        SetRandSeed(77);
        demo::DemoMutation(static_cast<uint8_t>(kind), expected);
        // The same draws on every click give the same result only if every
        // click starts again from the chromosome shown before mutation.
        for (int click = 0; click < 5; ++click) {
            SetRandSeed(77);
            QTest::mouseClick(window()->Button2, Qt::LeftButton);
            QCOMPARE(window()->ChromPosleMut->text(), Text(expected));
            QCOMPARE(window()->ChromDoMut->text(), before);
            QCOMPARE(window()->ChromosomeToMutate(), original);
        }
        QVERIFY(IsPermutation(window()->ChromPosleMut->text(), 10));
        QVERIFY(errors().isEmpty());
    }

    void generateMakesNewInputsOfTheSetLength() {
        OpenOn(0);
        QTest::mouseClick(window()->Button4, Qt::LeftButton);
        window()->GenCount->setValue(17);
        QSet<QString> parents;
        for (int click = 0; click < 5; ++click) {
            QTest::mouseClick(window()->Button3, Qt::LeftButton);
            QVERIFY(IsPermutation(window()->p1->text(), 17));
            QVERIFY(IsPermutation(window()->p2->text(), 17));
            QVERIFY(window()->c1->text().isEmpty());
            QVERIFY(window()->c2->text().isEmpty());
            parents << window()->p1->text();
        }
        QVERIFY(parents.size() > 1);
        QTest::mouseClick(window()->Button4, Qt::LeftButton);
        QVERIFY(IsPermutation(window()->c1->text(), 17));

        window()->PageControl1->setCurrentIndex(1);
        QTest::mouseClick(window()->Button2, Qt::LeftButton);
        QTest::mouseClick(window()->Button1, Qt::LeftButton);
        QVERIFY(IsPermutation(window()->ChromDoMut->text(), 17));
        // A result of the previous chromosome would be misleading next to
        // the new one.
        QVERIFY(window()->ChromPosleMut->text().isEmpty());
        QTest::mouseClick(window()->Button2, Qt::LeftButton);
        QVERIFY(IsPermutation(window()->ChromPosleMut->text(), 17));
        QVERIFY(errors().isEmpty());

        window()->GenCount->setValue(4);
        QTest::mouseClick(window()->Button1, Qt::LeftButton);
        QTest::mouseClick(window()->Button2, Qt::LeftButton);
        QVERIFY(IsPermutation(window()->ChromPosleMut->text(), 4));
        window()->GenCount->setValue(10);
    }

    void tooFewGenesAreRefusedWithAMessage() {
        OpenOn(0);
        const QString parent1 = window()->p1->text();
        const QString parent2 = window()->p2->text();
        window()->GenCount->setValue(3);
        QTest::mouseClick(window()->Button3, Qt::LeftButton);
        QCOMPARE(errors(), QStringList{QString::fromUtf8(kLearningGeneCountMessage)});
        QCOMPARE(window()->p1->text(), parent1);
        QCOMPARE(window()->p2->text(), parent2);
        QCOMPARE(window()->Parent1().Count(), window()->Parent2().Count());

        window()->PageControl1->setCurrentIndex(1);
        const QString before = window()->ChromDoMut->text();
        errors().clear();
        window()->GenCount->setValue(0);
        QTest::mouseClick(window()->Button1, Qt::LeftButton);
        QCOMPARE(errors().size(), 1);
        QCOMPARE(window()->ChromDoMut->text(), before);
        window()->GenCount->setValue(10);
    }

    void operatorsOnRefusedInputsReportInsteadOfFailing() {
        // A window whose first showing happens with too few genes has no
        // chromosomes; the operators' own error reaches the error display.
        TfrmLearning fresh;
        fresh.GenCount->setValue(2);
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        QCOMPARE(errors().size(), 1);
        QVERIFY(fresh.p1->text().isEmpty());
        errors().clear();
        QTest::mouseClick(fresh.Button4, Qt::LeftButton);
        QCOMPARE(errors(), QStringList{QString::fromUtf8(demo::kTooFewGenesMessage)});
        QVERIFY(fresh.c1->text().isEmpty());
        fresh.PageControl1->setCurrentIndex(1);
        errors().clear();
        QTest::mouseClick(fresh.Button2, Qt::LeftButton);
        QCOMPARE(errors(), QStringList{QString::fromUtf8(demo::kTooFewGenesMessage)});
        QVERIFY(fresh.ChromPosleMut->text().isEmpty());
    }

    void helpLinkLooksLikeALinkUnderThePointer() {
        OpenOn(0);
        QLabel* link = window()->Label11;
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(!link->font().underline());
        QEnterEvent enter(QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)),
                          link->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(link, &enter);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(link->font().underline());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(!link->font().underline());
        QVERIFY(!link->font().bold());
    }

    void helpLinkOpensThePmxTopicWhateverIsSelected() {
        OpenOn(0);
        window()->CrossoverTypePanel->setCurrentIndex(4);
        QTest::mouseClick(window()->Label11, Qt::LeftButton);
        QCOMPARE(openedUrls().size(), 1);
        QCOMPARE(openedUrls().constFirst().fragment(), QStringLiteral("PMX"));
        QVERIFY(openedUrls().constFirst().isLocalFile());
        // Pressing elsewhere and releasing outside is no click.
        QTest::mousePress(window()->Label11, Qt::LeftButton);
        QTest::mouseRelease(window()->Label11, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(openedUrls().size(), 1);
        window()->CrossoverTypePanel->setCurrentIndex(0);
    }

    void enterPressesTheTabsGenerateButton() {
        OpenOn(0);
        QVERIFY(window()->Button3->isDefault());
        window()->PageControl1->setCurrentIndex(1);
        QVERIFY(window()->Button1->isDefault());
        window()->PageControl1->setCurrentIndex(0);
        QVERIFY(window()->Button3->isDefault());
    }

    void runsModallyAndCentred() {
        window()->PageControl1->setCurrentIndex(0);
        bool sawPermutations = false;
        QRect geometry;
        QTimer::singleShot(0, window(), [&] {
            const int genes = window()->Parent1().Count();
            sawPermutations = genes >= 4 && IsPermutation(window()->p1->text(), genes) &&
                              IsPermutation(window()->p2->text(), genes);
            geometry = window()->frameGeometry();
            window()->accept();
        });
        window()->exec();
        QVERIFY(sawPermutations);
        const QRect screen = window()->screen()->availableGeometry();
        QVERIFY(qAbs(geometry.center().x() - screen.center().x()) <= 2);
        QVERIFY(qAbs(geometry.center().y() - screen.center().y()) <= 2);
    }

    void ctrlLOnTheMainWindowOpensItModally() {
        // The menu item is hidden; the key is the way in.
        window()->PageControl1->setCurrentIndex(1);
        frmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain));
        QWidget* modal = nullptr;
        QString before;
        QTimer::singleShot(0, window(), [&] {
            modal = QApplication::activeModalWidget();
            before = window()->ChromDoMut->text();
            window()->accept();
        });
        QTest::keyClick(frmMain, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(modal, static_cast<QWidget*>(window()));
        QVERIFY(IsPermutation(before, window()->ChromosomeToMutate().Count()));
        QVERIFY(!window()->isVisible());
        QVERIFY(errors().isEmpty());
    }

    // Last: the modal help window leaves the focus elsewhere, which the
    // tests of the default button above do not expect.
    void helpLinkWithoutABrowserShowsThePmxTopicAboveTheModalWindow() {
        seams::OpenUrl = [](const QUrl&, const seams::TUrlOpener::NotOpened& notOpened) {
            notOpened();
        };
        bool checked = false;
        QTimer::singleShot(0, window(), [&] {
            QTest::mouseClick(window()->Label11, Qt::LeftButton);
            THelpWindow* help = HelpWindow();
            // Modal above the modal learning window, which would block it.
            checked = help && help->isVisible() && help->windowModality() == Qt::ApplicationModal &&
                      help->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                      help->Browser->source().fragment() == u"PMX" &&
                      help->Browser->verticalScrollBar()->value() > 0;
            if (help)
                help->close();
            window()->close();
        });
        frmMain->LearningItem->trigger();
        fixture::InstallScriptedSeams();
        QVERIFY(checked);
    }
};

TRASOLAN_GUI_TEST_MAIN(TestLearning)

#include "test_learning.moc"
