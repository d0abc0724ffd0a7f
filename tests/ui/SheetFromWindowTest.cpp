// The calculation sheet from the window is made from a run over the boxes as they stand: the
// PDF (read back with pdftotext, poppler-utils) holds the results the window shows, and after
// a failed run the failure and none of the results the run did not reach.

#include "tests/ui/DocumentWindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>

namespace inlet::test {
namespace {

// A fresh window's results with hk 2000; the first ten are reached before hk is read.
const std::vector<std::pair<Box, QString>> kHk2000{
    {Box::Text13, QStringLiteral("0400")}, {Box::Text14, QStringLiteral("0700")}, {Box::Text15, QStringLiteral("1500")},
    {Box::Text16, QStringLiteral("700")},  {Box::Text18, QStringLiteral("1500")}, {Box::Text17, QStringLiteral("700")},
    {Box::Text20, QStringLiteral("1150")}, {Box::Text19, QStringLiteral("2000")}, {Box::Text23, QStringLiteral("0225")},
    {Box::Text24, QStringLiteral("1421")}, {Box::Text36, QStringLiteral("1459")}, {Box::Text37, QStringLiteral("1424")},
    {Box::Text5, QStringLiteral("2700")},  {Box::Text38, QStringLiteral("-0008")}, {Box::Text33, QStringLiteral("0254")},
    {Box::Text32, QStringLiteral("0469")}, {Box::Text31, QStringLiteral("0656")}, {Box::Text30, QStringLiteral("0823")},
    {Box::Text29, QStringLiteral("0976")}, {Box::Text28, QStringLiteral("1118")}, {Box::Text27, QStringLiteral("1250")},
    {Box::Text26, QStringLiteral("1376")}, {Box::Text25, QStringLiteral("1678")}, {Box::Text6, QStringLiteral("6355")},
};
constexpr std::size_t kReachedBeforeHk = 10;

// The words of a PDF as pdftotext reads them.
QStringList pdfWords(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        ADD_FAILURE() << "pdftotext (poppler-utils) cannot read " << path.toStdString() << ": "
                      << pdftotext.errorString().toStdString() << pdftotext.readAllStandardError().toStdString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput())
        .split(QRegularExpression(QStringLiteral("[\\s：:，,（）()=]+")), Qt::SkipEmptyParts);
}

TEST_F(DocumentWindow, PdfHoldsTheResultsTheWindowShows)
{
    type(Box::Text21, QStringLiteral("2000"));  // typed, not calculated
    script.filesToSave.push_back(file("sheet"));
    window->exportRun(QStringLiteral("pdf"));
    ASSERT_TRUE(script.warnings.isEmpty() && failures.isEmpty()) << warnings() << failures.join(u' ').toStdString();
    const QStringList words = pdfWords(file("sheet.pdf"));
    for (const auto& [b, result] : kHk2000) {
        EXPECT_EQ(text(b), result) << boxName(b) << ": the calculation was not run first";
        EXPECT_TRUE(words.contains(result)) << boxName(b) << " " << result.toStdString() << " is not on the sheet";
    }
}

TEST_F(DocumentWindow, PdfAfterAFailedRunShowsTheFailureAndNoUnreachedResult)
{
    type(Box::Text21, QStringLiteral("2000"));
    press("Command1");  // fills every result box
    type(Box::Text21, QString());
    script.filesToSave.push_back(file("failed.pdf"));
    window->exportRun(QStringLiteral("pdf"));
    ASSERT_EQ(failures.size(), 1) << "the run's failure message was not shown";
    const QStringList words = pdfWords(file("failed.pdf"));
    const QString all = words.join(QString());
    EXPECT_TRUE(all.contains(QStringLiteral("除数为零")) && all.contains(QStringLiteral("a30"))) << "no failure on the sheet";
    for (std::size_t i = 0; i < kHk2000.size(); ++i) {
        const auto& [b, result] = kHk2000[i];
        EXPECT_EQ(words.contains(result), i < kReachedBeforeHk) << boxName(b) << " " << result.toStdString();
    }
}

TEST_F(DocumentWindow, SheetThatCannotBeWrittenSaysWhere)
{
    script.filesToSave.push_back(file("missing/sheet.odt"));
    window->exportRun(QStringLiteral("odt"));
    ASSERT_EQ(script.warnings.size(), 1);
    EXPECT_TRUE(script.warnings[0].startsWith(QStringLiteral("无法导出计算书 ODT: "))) << warnings();
    EXPECT_TRUE(script.warnings[0].contains(QDir::toNativeSeparators(file("missing/sheet.odt")))) << warnings();
}

TEST_F(DocumentWindow, PrintPreviewShowsTheSheetsPages)
{
    type(Box::Text21, QStringLiteral("2000"));
    int pages = 0;
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
            pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            preview->reject();
        }
    });
    reader.start(20);
    window->previewSheet();
    EXPECT_GE(pages, 3) << "the cover, the inputs and results, the drawings";
    EXPECT_EQ(text(Box::Text6), QStringLiteral("6355")) << "the calculation was not run first";
}

// 打印… → 选项 → 取消 as an engineer does it, slower than a progress box waits before it shows
// itself (Qt's default, 4 s, also where it was told half a second, until its first step): Qt's
// print dialog stays the one the engineer works in (no progress box over it, nothing prints
// yet), its options panel opens, and its 取消 closes it.
TEST_F(DocumentWindow, PrintDialogIsNeverBlockedByProgress)
{
    type(Box::Text21, QStringLiteral("2000"));
    bool found = false, optionsShown = false;
    QStringList progressShown;
    QElapsedTimer since;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<QProgressDialog*>(top); progress && progress->isVisible())
                progressShown << progress->labelText();
        }
        QPrintDialog* dialog = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* print = qobject_cast<QPrintDialog*>(top); print && print->isVisible())
                dialog = print;
        }
        if (!dialog)
            return;
        // A box over the dialog takes every click: the test closes the dialog itself.
        if (!progressShown.isEmpty()) {
            dialog->reject();
            return;
        }
        if (!found) {
            found = true;
            since.start();
        }
        // After the time a progress box takes to appear, the options, then 取消 - with the
        // mouse, where a modal box over the dialog would take the clicks.
        if (since.elapsed() < 4500)
            return;
        QPushButton* options = nullptr;
        QPushButton* cancel = nullptr;
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text().contains(QStringLiteral("选项")) || button->text().contains(QStringLiteral("Options")))
                options = button;
            else if (button->text().contains(QStringLiteral("取消")) || button->text().contains(QStringLiteral("Cancel")))
                cancel = button;
        }
        if (!options || !cancel) {
            ADD_FAILURE() << "no 选项 or 取消 in Qt's print dialog";
            dialog->reject();
            return;
        }
        if (!optionsShown) {
            const int before = dialog->height();
            QTest::mouseClick(options, Qt::LeftButton);
            optionsShown = dialog->height() > before;
            if (!optionsShown) {
                ADD_FAILURE() << "the options panel did not open";
                dialog->reject();
            }
            return;
        }
        QTest::mouseClick(cancel, Qt::LeftButton);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "取消 did not close the print dialog";
            dialog->reject();
        }
    });
    driver.start(50);
    window->printSheet();
    driver.stop();
    EXPECT_TRUE(found) << "打印… showed no print dialog";
    EXPECT_TRUE(optionsShown);
    EXPECT_TRUE(progressShown.isEmpty()) << "a progress box over the print dialog: "
                                         << progressShown.join(u' ').toStdString();
    EXPECT_TRUE(script.warnings.isEmpty()) << warnings();
}

}  // namespace
}  // namespace inlet::test
