// The window as a layout fault would break it: the form's size, every control shown inside its
// frame and the form, no two boxes on one spot, each box with its label just before it, every
// caption whole at the window's face, and Tab reaching every box and button in the form's order.

#include "InletFeatures.h"
#include "ui/CalculationForm.h"
#include "ui/startup/FrameCaptionStyle.h"
#include "ui/MainWindow.h"
#include "ui/startup/WindowFonts.h"

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QToolBar>
#include <QWindow>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <set>
#include <string>
#include <vector>

namespace inlet::test {
namespace {

// The window's boxes and buttons, the controls that take text or clicks.
bool isBoxOrButton(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPushButton*>(widget);
}

bool isControl(const QWidget* widget)
{
    return qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QLabel*>(widget) || isBoxOrButton(widget);
}

std::string nameOf(const QWidget* widget) { return widget ? widget->objectName().toStdString() : "nothing"; }

QString textOf(const QWidget* widget)
{
    if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return frame->title();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    if (auto* button = qobject_cast<const QPushButton*>(widget)) return button->text();
    return {};
}

// The face a frame's caption is measured and drawn in: its style's.
QFont captionFace(const QGroupBox& frame)
{
    auto* style = qobject_cast<const FrameCaptionStyle*>(frame.style());
    return style ? style->captionFont() : frame.font();
}

// The order Tab is to take, as the form's file states it: the window must follow its form,
// whatever the code around it does to the controls.
std::vector<std::string> formTabStops()
{
    QFile file(QStringLiteral(INLET_SOURCE_DIR "/ui/CalculationForm.ui"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QXmlStreamReader xml(&file);
    std::vector<std::string> stops;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"tabstop")
            stops.push_back(xml.readElementText().toStdString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return stops;
}

class WindowLayout : public testing::Test {
protected:
    MainWindow window;
    // What the controls of the window itself sit in.
    CalculationForm* form = window.findChild<CalculationForm*>();

    QWidget* control(const std::string& name) const
    {
        return window.findChild<QWidget*>(QString::fromStdString(name));
    }

    std::vector<QWidget*> controls() const
    {
        std::vector<QWidget*> found;
        for (QWidget* widget : form->findChildren<QWidget*>())
            if (isControl(widget)) found.push_back(widget);
        return found;
    }

    // A control's rectangle in the form's coordinates, wherever it sits.
    QRect inForm(const QWidget* widget) const { return {widget->mapTo(form, QPoint(0, 0)), widget->size()}; }

    // Where a label's caption is drawn, as far as its glyphs' ink reaches, in the form's
    // coordinates.
    QRect captionInForm(const QLabel& label) const
    {
        const QFontMetrics metrics(label.font());
        const QRect text = label.style()->itemTextRect(metrics, label.contentsRect(), int(label.alignment()),
                                                       true, label.text());
        // From the pen's start (a glyph's ink may lean a pixel before it) to where the last
        // glyph's ink ends: a glyph is cut off only if its ink is.
        const QRect drawn(text.left(), text.top(), metrics.tightBoundingRect(label.text()).right() + 1,
                          text.height());
        return drawn.translated(label.mapTo(form, QPoint(0, 0)));
    }

    void show()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

// --- The window and its form -------------------------------------------------------------

TEST_F(WindowLayout, WindowIsForm1)
{
    show();
    // "Form1[*]": the mark shows once the engineer changes the design.
    EXPECT_EQ(window.windowHandle()->title(), QStringLiteral("Form1"));
}

TEST_F(WindowLayout, FormIs545By726AndFillsTheClientArea)
{
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(window.centralWidget(), form);
    show();
    EXPECT_EQ(form->size(), QSize(545, 726));
    EXPECT_EQ(form->geometry().bottomRight(), QPoint(window.width() - 1, window.height() - 1))
        << "the window is larger than its form";
}

TEST_F(WindowLayout, MenuBarSitsAboveTheForm)
{
    show();
    const QMenuBar* bar = window.menuBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry().topLeft(), QPoint(0, 0));
    EXPECT_GT(bar->height(), 0);
    EXPECT_EQ(form->geometry(), QRect(0, bar->height(), 545, 726))
        << "the form at (" << form->x() << ", " << form->y() << ") " << form->width() << "x" << form->height();
    EXPECT_EQ(window.size(), QSize(form->width(), bar->height() + form->height()));
}

// 设计 (方案比选…) where the build has the study window (Qt Charts).
TEST_F(WindowLayout, MenuBarHoldsItsMenusAndNoToolOrStatusBar)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    QStringList titles;
    for (const QAction* menu : menus)
        titles << menu->text();
    QStringList expected{QStringLiteral("文件(&F)"), QStringLiteral("查看(&V)")};
    if (INLET_HAS_CHARTS)
        expected << QStringLiteral("设计(&D)");
    expected << QStringLiteral("帮助(&H)");
    EXPECT_EQ(titles, expected) << titles.join(u' ').toStdString();
    for (const QAction* menu : menus)
        EXPECT_NE(menu->menu(), nullptr) << menu->text().toStdString();
    EXPECT_TRUE(window.findChildren<QToolBar*>().isEmpty());
    EXPECT_EQ(window.findChild<QStatusBar*>(), nullptr);
}

// --- Where the controls stand --------------------------------------------------------------

// A control outside its frame or the form is cut off or never seen.
TEST_F(WindowLayout, EveryControlIsShownInsideItsFrameAndTheForm)
{
    show();
    const std::vector<QWidget*> all = controls();
    ASSERT_FALSE(all.empty());
    for (const QWidget* widget : all) {
        const std::string name = nameOf(widget);
        EXPECT_TRUE(widget->isVisible()) << name << " is hidden";
        EXPECT_FALSE(widget->size().isEmpty()) << name << " has no size";
        EXPECT_TRUE(form->rect().contains(inForm(widget))) << name << " reaches out of the form";
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
            << name << " reaches out of " << nameOf(widget->parentWidget());
    }
}

// Two boxes or buttons on one spot hide one another and take each other's clicks.
TEST_F(WindowLayout, NoBoxOrButtonSharesSpaceWithAnother)
{
    const std::vector<QWidget*> all = controls();
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            if (!isBoxOrButton(all[i]) || !isBoxOrButton(all[j])) continue;
            EXPECT_FALSE(inForm(all[i]).intersects(inForm(all[j])))
                << nameOf(all[i]) << " and " << nameOf(all[j]) << " overlap";
        }
    }
}

// Where a box or button shares space with a label or a frame it does not sit in, it is the
// one seen and clicked.
TEST_F(WindowLayout, BoxesAndButtonsAreDrawnOverWhatTheyOverlap)
{
    show();
    const std::vector<QWidget*> all = controls();
    for (QWidget* above : all) {
        if (!isBoxOrButton(above)) continue;
        for (const QWidget* below : all) {
            if (below == above || isBoxOrButton(below) || below->isAncestorOf(above)) continue;
            const QRect shared = inForm(above) & inForm(below);
            if (shared.isEmpty()) continue;
            const QWidget* seen = form->childAt(shared.center());
            EXPECT_TRUE(seen == above || above->isAncestorOf(seen))
                << nameOf(above) << " should be drawn over " << nameOf(below) << ", " << nameOf(seen) << " is";
        }
    }
}

// Resizing the window moves no control.
TEST_F(WindowLayout, ResizingMovesNothing)
{
    show();
    std::vector<std::pair<QWidget*, QRect>> before;
    for (QWidget* widget : controls())
        before.emplace_back(widget, inForm(widget));
    window.resize(200, 150);
    window.resize(900, 1000);
    for (const auto& [widget, rect] : before)
        EXPECT_EQ(inForm(widget), rect) << nameOf(widget) << " moved on resize";
}

// The label a box is read by: its buddy, or else the nearest label on its row to its left,
// or else the nearest above it.
const QLabel* labelOf(const QLineEdit& box)
{
    const QRect b = box.geometry();
    const QLabel* beside = nullptr;
    const QLabel* above = nullptr;
    for (const QLabel* label : box.parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == &box) return label;
        const QRect l = label->geometry();
        const bool onItsRow = l.center().y() >= b.top() && l.center().y() <= b.bottom();
        if (onItsRow && l.left() < b.left() && (!beside || l.left() > beside->x()))
            beside = label;
        const bool overIt = l.left() <= b.right() && l.right() >= b.left();
        if (overIt && l.bottom() < b.top() && (!above || l.bottom() > above->geometry().bottom()))
            above = label;
    }
    return beside ? beside : above;
}

// A box whose label has wandered off is read as another quantity, or as none.
TEST_F(WindowLayout, EveryBoxHasItsLabelJustBeforeIt)
{
    std::map<const QLabel*, std::string> named;
    for (const QLineEdit* box : form->findChildren<QLineEdit*>()) {
        const std::string name = nameOf(box);
        const QLabel* label = labelOf(*box);
        ASSERT_NE(label, nullptr) << name << " has no label before it";
        const QRect b = box->geometry();
        const QRect l = label->geometry();
        // No further off than the box is wide (or tall, for a label above it).
        if (l.center().y() >= b.top() && l.center().y() <= b.bottom())
            EXPECT_LT(b.left() - l.right(), b.width()) << name << " stands far from " << nameOf(label);
        else
            EXPECT_LT(b.top() - l.bottom(), b.height()) << name << " stands far below " << nameOf(label);
        const auto [other, fresh] = named.emplace(label, name);
        EXPECT_TRUE(fresh) << nameOf(label) << " stands before both " << other->second << " and " << name;
    }
    EXPECT_FALSE(named.empty());
}

// --- Texts -------------------------------------------------------------------------------

TEST_F(WindowLayout, ButtonsAreNeitherDefaultNorCancel)
{
    for (auto* button : window.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    }
}

// --- Fonts -------------------------------------------------------------------------------

// A caption is cut off where its label is too small for it at the window's face, and hidden
// where a box, a button or another caption is drawn over it.
TEST_F(WindowLayout, EveryLabelCaptionFitsWhereItIsSeen)
{
    const std::vector<QWidget*> all = controls();
    for (const QWidget* widget : all) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (!label) continue;
        const std::string name = nameOf(label);
        const QRect caption = captionInForm(*label);
        EXPECT_TRUE(inForm(label).contains(caption))
            << name << " \"" << label->text().toStdString() << "\" needs " << caption.width() << " px, has "
            << label->width() << " in " << QFontInfo(label->font()).family().toStdString();
        EXPECT_LE(QFontMetrics(label->font()).height(), label->height()) << name << " is cut off below";
        for (const QWidget* other : all) {
            if (other == label || qobject_cast<const QGroupBox*>(other)) continue;
            const auto* otherLabel = qobject_cast<const QLabel*>(other);
            const QRect taken = otherLabel ? captionInForm(*otherLabel) : inForm(other);
            EXPECT_FALSE(caption.intersects(taken)) << name << "'s caption runs into " << nameOf(other);
        }
    }
}

TEST_F(WindowLayout, FrameCaptionsStandClearOfWhatTheFrameHolds)
{
    for (const QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect caption = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, frame);
        EXPECT_LE(QFontMetrics(captionFace(*frame)).horizontalAdvance(frame->title()), caption.width())
            << frame->objectName().toStdString() << " caption cut off";
        for (const QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_FALSE(caption.intersects(child->geometry()))
                << frame->objectName().toStdString() << " caption runs into "
                << child->objectName().toStdString();
    }
}

TEST_F(WindowLayout, ButtonCaptionsFit)
{
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        const int needed = QFontMetrics(button->font()).horizontalAdvance(button->text());
        EXPECT_LT(needed, button->width() - 8) << button->objectName().toStdString();
    }
}

TEST_F(WindowLayout, TextFaceHasHalfWidthLatinAndCoversEveryCharacter)
{
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (qobject_cast<const QGroupBox*>(widget) || !textOf(widget).size()) continue;
        const std::string name = widget->objectName().toStdString();
        const QFontMetrics metrics(widget->font());
        EXPECT_EQ(widget->font().pixelSize(), 12) << name;
        EXPECT_EQ(2 * metrics.horizontalAdvance(QStringLiteral("D")), metrics.horizontalAdvance(QStringLiteral("径")))
            << name << " in " << QFontInfo(widget->font()).family().toStdString();
        for (char32_t ch : textOf(widget).toUcs4())
            EXPECT_TRUE(metrics.inFontUcs4(ch)) << name << " lacks U+" << std::hex << unsigned(ch);
    }
}

TEST_F(WindowLayout, FrameCaptionsUseTheCalligraphicFaceAndCoverEveryCharacter)
{
    for (const QGroupBox* frame : window.findChildren<QGroupBox*>()) {
        const std::string name = frame->objectName().toStdString();
        const QFont face = captionFace(*frame);
        EXPECT_EQ(face.pixelSize(), 19) << name;
        EXPECT_EQ(face.weight(), QFont::Normal) << name;
        const QFontMetrics metrics(face);
        for (char32_t ch : frame->title().toUcs4())
            EXPECT_TRUE(metrics.inFontUcs4(ch)) << name << " lacks U+" << std::hex << unsigned(ch);
    }
}

// The form exactly as Qt draws it with the caption face set on each frame (the window's face
// set back on what the frame holds), the frames in the Windows style and each edit box drawn
// by the plain style: neither the captions' own style nor the copied box panels may move or
// change a pixel.
TEST_F(WindowLayout, FormLooksAsWithTheCaptionFaceSetOnEachFrame)
{
    CalculationForm reference;
    QStyle* lines = QStyleFactory::create(QStringLiteral("Windows"));
    ASSERT_NE(lines, nullptr);
    lines->setParent(&reference);
    const auto* own = qobject_cast<const QProxyStyle*>(QApplication::style());
    ASSERT_NE(own, nullptr);
    QStyle* plain = QStyleFactory::create(own->baseStyle()->name());
    ASSERT_NE(plain, nullptr);
    plain->setParent(&reference);
    for (QLineEdit* box : reference.findChildren<QLineEdit*>())
        box->setStyle(plain);
    for (QGroupBox* frame : reference.findChildren<QGroupBox*>()) {
        for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->setFont(reference.font());
        frame->setFont(frameCaptionFont());
        frame->setStyle(lines);
    }
    const QImage expected = reference.grab().toImage();
    const QImage shown = form->grab().toImage();
    ASSERT_EQ(shown.size(), expected.size());
    int differing = 0;
    QPoint first;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != expected.pixel(x, y) && differing++ == 0)
                first = {x, y};
        }
    }
    EXPECT_EQ(differing, 0) << "pixels differ, the first at (" << first.x() << ", " << first.y() << ")";
}

// --- Keyboard ----------------------------------------------------------------------------

class WindowFocus : public WindowLayout {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    std::string focused() const
    {
        const QWidget* widget = QApplication::focusWidget();
        return widget ? widget->objectName().toStdString() : "nothing";
    }
};

// Every box and button is reached by Tab, once each, and nothing else is.
TEST_F(WindowFocus, TabStopsAreEveryBoxAndButtonOnce)
{
    const std::vector<std::string> stops = formTabStops();
    std::set<std::string> listed(stops.begin(), stops.end());
    EXPECT_EQ(listed.size(), stops.size()) << "a control listed twice";
    std::set<std::string> reachable;
    for (const QWidget* widget : form->findChildren<QWidget*>()) {
        if (isBoxOrButton(widget)) reachable.insert(nameOf(widget));
        else if (widget->focusPolicy() & Qt::TabFocus) ADD_FAILURE() << nameOf(widget) << " takes the focus by Tab";
    }
    EXPECT_EQ(listed, reachable);
}

TEST_F(WindowFocus, StartsInTheFirstTabStop)
{
    EXPECT_EQ(focused(), "Text13");
    EXPECT_EQ(focused(), formTabStops().front());
}

TEST_F(WindowFocus, TabWalksTheBoxesAndButtonsInOrderAndWrapsAround)
{
    const std::vector<std::string> stops = formTabStops();
    ASSERT_FALSE(stops.empty());
    for (std::size_t i = 1; i <= stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focused(), stops[i % stops.size()]) << "Tab number " << i;
    }
}

TEST_F(WindowFocus, ShiftTabWalksBackwards)
{
    const std::vector<std::string> stops = formTabStops();
    ASSERT_FALSE(stops.empty());
    for (std::size_t i = 1; i <= stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(focused(), stops[(stops.size() - i) % stops.size()]) << "Shift+Tab number " << i;
    }
}

}  // namespace
}  // namespace inlet::test
