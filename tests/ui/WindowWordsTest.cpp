// The words of every window and dialog as the engineer reads them: Chinese sentences quote
// with “…”, never with ASCII quotes; no command-line option ("--dxf-curves") and no value as
// the command line spells it ("spline", "auto") where the dialog has a Chinese name for it;
// the captions of the forms end in a full-width colon.

#include "ui/DesignChecksWindow.h"
#include "ui/DesignInfoDialog.h"
#include "tests/ui/DocumentWindow.h"
#include "ui/DrawingExportDialog.h"
#include "ui/DrawingWindow.h"
#include "ui/FlowWindow.h"
#include "outputmodule/OutputModule.h"
#ifdef INLET_HAVE_SOLID
#include "ui/SolidWindow.h"
#endif

#include <QAbstractButton>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>

#include <functional>
#include <string>

namespace inlet::test {
namespace {

// Every text `top` shows or offers: its title, labels, buttons, frames, choices, tabs, list
// and table entries, menu entries and tips.
QStringList textsOf(const QWidget& top)
{
    QStringList texts{top.windowTitle()};
    for (const QWidget* w : top.findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        else if (const auto* frame = qobject_cast<const QGroupBox*>(w))
            texts << frame->title();
        else if (const auto* combo = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        else if (const auto* list = qobject_cast<const QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        else if (const auto* table = qobject_cast<const QTableWidget*>(w))
            for (int c = 0; c < table->columnCount(); ++c)
                if (const QTableWidgetItem* header = table->horizontalHeaderItem(c))
                    texts << header->text();
    }
    for (const QAction* action : top.findChildren<QAction*>())
        texts << action->text() << action->toolTip();
    texts.removeAll(QString());
    return texts;
}

struct Shown {
    const char* name;
    // The window or dialog, after a run with hk 2000 in `window`.
    std::function<QWidget*(MainWindow& window, std::unique_ptr<QWidget>& owned)> open;
};

QWidget* dialog(std::unique_ptr<QWidget>& owned, QWidget* made)
{
    owned.reset(made);
    return made;
}

const Shown kShown[] = {
    {"MainWindow", [](MainWindow& w, std::unique_ptr<QWidget>&) -> QWidget* { return &w; }},
    {"DrawingWindow", [](MainWindow& w, std::unique_ptr<QWidget>&) -> QWidget* {
         w.showDrawingWindow();
         return w.drawingWindow();
     }},
    {"DesignChecksWindow", [](MainWindow& w, std::unique_ptr<QWidget>&) -> QWidget* {
         w.showDesignChecks();
         return w.designChecksWindow();
     }},
    {"FlowWindow", [](MainWindow& w, std::unique_ptr<QWidget>&) -> QWidget* {
         w.showFlowWindow();
         return w.flowWindow();
     }},
#ifdef INLET_HAVE_SOLID
    {"SolidWindow", [](MainWindow& w, std::unique_ptr<QWidget>&) -> QWidget* {
         w.showSolidWindow();
         return w.solidWindow();
     }},
#endif
    {"DrawingExportDialog", [](MainWindow&, std::unique_ptr<QWidget>& owned) -> QWidget* {
         auto* made = new DrawingExportDialog;
         made->setPath(QStringLiteral("/tmp/型线图.dxf"));
         return dialog(owned, made);
     }},
    {"DesignInfoDialog", [](MainWindow&, std::unique_ptr<QWidget>& owned) -> QWidget* {
         return dialog(owned, new DesignInfoDialog);
     }},
};

class WindowWords : public DocumentWindow, public testing::WithParamInterface<Shown> {
protected:
    std::unique_ptr<QWidget> owned;
    QWidget* shown = nullptr;

    void SetUp() override
    {
        type(Box::Text21, QStringLiteral("2000"));
        press("Command1");
        shown = GetParam().open(*window, owned);
        ASSERT_NE(shown, nullptr);
    }
};

TEST_P(WindowWords, ChineseIsQuotedInChineseMarks)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    for (const QString& text : textsOf(*shown)) {
        if (text.contains(han))
            EXPECT_FALSE(text.contains(u'"') || text.contains(u'\'')) << "ASCII quotes in: " << text.toStdString();
    }
}

TEST_P(WindowWords, NoCommandLineOptionOrSpelling)
{
    static const QRegularExpression option(QStringLiteral("(^|\\s|（|\\()--[a-z]"));
    // The values the export choices give the command line where the dialog names them in
    // Chinese.
    QStringList spellings;
    for (const ExportFormat* format : outputFormats().formats(ExportKind::Drawing))
        for (const ExportOption& choice : format->options)
            for (qsizetype i = 0; i < choice.values.size() && i < choice.shown.size(); ++i)
                if (choice.values[i] != choice.shown[i])
                    spellings << choice.values[i];
    ASSERT_TRUE(spellings.contains(QStringLiteral("spline")) && spellings.contains(QStringLiteral("auto")));
    for (const QString& text : textsOf(*shown)) {
        EXPECT_FALSE(text.contains(option)) << "a command-line option in: " << text.toStdString();
        EXPECT_FALSE(spellings.contains(text)) << "the command line's spelling offered: " << text.toStdString();
    }
}

TEST_P(WindowWords, FormCaptionsEndInAFullWidthColon)
{
    for (const QFormLayout* form : shown->findChildren<QFormLayout*>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            const QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole);
            const auto* label = item ? qobject_cast<const QLabel*>(item->widget()) : nullptr;
            if (!label)
                continue;
            EXPECT_TRUE(label->text().endsWith(u'：')) << "caption without ：: " << label->text().toStdString();
        }
    }
    // The captions of a grid's settings (水力评价's 网格, 并行进程数, …): a label naming the box
    // it stands for.
    for (const QLabel* label : shown->findChildren<QLabel*>()) {
        if (label->buddy() && !label->text().isEmpty())
            EXPECT_TRUE(label->text().endsWith(u'：')) << "caption without ：: " << label->text().toStdString();
    }
    // The captions beside a choice in a row of their own.
    for (const QLabel* label : shown->findChildren<QLabel*>()) {
        if (label->buddy() || !label->text().endsWith(u':'))
            continue;
        ADD_FAILURE() << "ASCII colon: " << label->text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Everywhere, WindowWords, testing::ValuesIn(kShown),
                         [](const testing::TestParamInfo<Shown>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace inlet::test
