// The window as drawn: controls, rectangles, texts, stacking, fonts and focus order.

#include "CalculationForm.h"
#include "ExpectedWindow.h"
#include "FrameCaptionStyle.h"
#include "MainWindow.h"
#include "WindowFonts.h"

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

#include <gtest/gtest.h>

namespace inlet::test {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

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

bool isKind(const QWidget* widget, Kind kind)
{
    switch (kind) {
    case Kind::Frame: return qobject_cast<const QGroupBox*>(widget) != nullptr;
    case Kind::Label: return qobject_cast<const QLabel*>(widget) != nullptr;
    case Kind::EditBox: return qobject_cast<const QLineEdit*>(widget) != nullptr;
    case Kind::Button: return qobject_cast<const QPushButton*>(widget) != nullptr;
    }
    return false;
}

QRect pixels(const ExpectedControl& c)
{
    return {c.left / kTwipsPerPixel, c.top / kTwipsPerPixel, c.width / kTwipsPerPixel,
            c.height / kTwipsPerPixel};
}

class WindowLayout : public testing::Test {
protected:
    MainWindow window;
    // What the controls of the window itself sit in.
    CalculationForm* form = window.findChild<CalculationForm*>();

    QWidget* control(std::string_view name) const { return window.findChild<QWidget*>(qs(name)); }
};

// --- Controls missing, of the wrong kind or in the wrong container -------------------------

TEST_F(WindowLayout, HoldsEveryControlOfItsKindInItsContainer)
{
    for (const ExpectedControl& c : kExpectedControls) {
        const QWidget* widget = control(c.name);
        ASSERT_NE(widget, nullptr) << "no control " << c.name;
        EXPECT_TRUE(isKind(widget, c.kind)) << c.name << " is a " << widget->metaObject()->className();
        const QWidget* container = c.container.empty() ? form : control(c.container);
        EXPECT_EQ(widget->parentWidget(), container) << c.name << " should sit in "
                                                     << (c.container.empty() ? "the form" : c.container);
    }
}

TEST_F(WindowLayout, HoldsNoOtherControl)
{
    int controls = 0;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const bool ours = qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QLabel*>(widget)
                          || qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPushButton*>(widget);
        if (ours) ++controls;
    }
    EXPECT_EQ(controls, int(kExpectedControls.size()));
}

// --- Geometry ----------------------------------------------------------------------------

TEST_F(WindowLayout, WindowIsForm1)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // "Form1[*]": the mark shows once the engineer changes the design.
    EXPECT_EQ(window.windowHandle()->title(), QStringLiteral("Form1"));
}

TEST_F(WindowLayout, FormFillsTheClientArea)
{
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(window.centralWidget(), form);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(form->size(), QSize(8175 / kTwipsPerPixel, 10890 / kTwipsPerPixel));
    EXPECT_EQ(form->geometry().bottomRight(), QPoint(window.width() - 1, window.height() - 1))
        << "the window is larger than its form";
}

TEST_F(WindowLayout, MenuBarSitsAboveTheForm)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QMenuBar* bar = window.menuBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry().topLeft(), QPoint(0, 0));
    EXPECT_GT(bar->height(), 0);
    EXPECT_EQ(form->geometry(), QRect(0, bar->height(), 8175 / kTwipsPerPixel, 10890 / kTwipsPerPixel))
        << "the form at (" << form->x() << ", " << form->y() << ") " << form->width() << "x" << form->height();
    EXPECT_EQ(window.size(), QSize(form->width(), bar->height() + form->height()));
}

TEST_F(WindowLayout, MenuBarHoldsThreeMenusAndNoToolOrStatusBar)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("查看(&V)"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("帮助(&H)"));
    for (const QAction* menu : menus)
        EXPECT_NE(menu->menu(), nullptr) << menu->text().toStdString();
    EXPECT_TRUE(window.findChildren<QToolBar*>().isEmpty());
    EXPECT_EQ(window.findChild<QStatusBar*>(), nullptr);
}

TEST_F(WindowLayout, EveryControlHasItsRectangle)
{
    for (const ExpectedControl& c : kExpectedControls) {
        const QWidget* widget = control(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        const QRect r = widget->geometry();
        EXPECT_EQ(r, pixels(c)) << c.name << " at (" << r.x() << ", " << r.y() << ") " << r.width()
                                << "x" << r.height() << " px, expected twips " << c.left << ", "
                                << c.top << ", " << c.width << ", " << c.height;
    }
}

TEST_F(WindowLayout, ResizingMovesNothing)
{
    window.resize(200, 150);
    window.resize(900, 1000);
    for (const ExpectedControl& c : kExpectedControls)
        EXPECT_EQ(control(c.name)->geometry(), pixels(c)) << c.name << " moved on resize";
}

// Where rectangles overlap, the control that must be seen is the one found at that point.
TEST_F(WindowLayout, OverlapsShowTheRightControlOnTop)
{
    struct Overlap {
        std::string_view below, above;
    };
    const Overlap overlaps[] = {
        {"Label3", "Text3"},   {"Label8", "Text8"},   {"Label9", "Text9"},   {"Label10", "Text10"},
        {"Label11", "Text11"}, {"Label12", "Text12"}, {"Label16", "Text15"}, {"Label17", "Text16"},
        {"Label21", "Text18"}, {"Label22", "Text17"}, {"Label23", "Text21"}, {"Label24", "Text22"},
        {"Label26", "Text23"}, {"Label27", "Text24"}, {"Label25", "Label26"}, {"Frame4", "Command1"},
    };
    for (const Overlap& o : overlaps) {
        QWidget* below = control(o.below);
        QWidget* above = control(o.above);
        ASSERT_TRUE(below && above) << o.below << " / " << o.above;
        QWidget* container = above->parentWidget();
        const QRect belowInContainer(below->mapTo(container, QPoint(0, 0)), below->size());
        const QRect shared = belowInContainer & above->geometry();
        ASSERT_FALSE(shared.isEmpty()) << o.below << " and " << o.above << " do not overlap";
        EXPECT_EQ(container->childAt(shared.center()), above)
            << o.above << " should be drawn over " << o.below;
    }
}

// --- Texts -------------------------------------------------------------------------------

TEST_F(WindowLayout, EveryCaptionAndDefaultTextIsExact)
{
    for (const ExpectedControl& c : kExpectedControls) {
        const QWidget* widget = control(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        EXPECT_EQ(textOf(widget).toStdString(), std::string(c.text)) << c.name;
    }
}

TEST_F(WindowLayout, ButtonsAreNeitherDefaultNorCancel)
{
    for (auto* button : window.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    }
}

// --- Fonts -------------------------------------------------------------------------------

// The part of a label that is not covered by a control drawn over it.
int visibleWidth(const QLabel& label)
{
    int right = label.geometry().right() + 1;
    const QWidget* container = label.parentWidget();
    const auto siblings = container->children();
    for (qsizetype i = siblings.indexOf(&label) + 1; i < siblings.size(); ++i) {
        auto* above = qobject_cast<const QWidget*>(siblings[i]);
        if (above && above->geometry().intersects(label.geometry()) && above->x() > label.x())
            right = std::min(right, above->x());
    }
    return right - label.x();
}

TEST_F(WindowLayout, EveryLabelCaptionFitsWhereItIsSeen)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        // Where the last glyph's ink ends: a glyph is cut off only if its ink is.
        const int needed = QFontMetrics(label->font()).tightBoundingRect(label->text()).right() + 1;
        EXPECT_LE(needed, visibleWidth(*label))
            << label->objectName().toStdString() << " \"" << label->text().toStdString() << "\" needs "
            << needed << " px in " << QFontInfo(label->font()).family().toStdString();
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

TEST_F(WindowFocus, StartsInTheA1Box) { EXPECT_EQ(focused(), "Text13"); }

TEST_F(WindowFocus, TabWalksTheBoxesAndButtonsInOrderAndWrapsAround)
{
    for (std::size_t i = 1; i <= kFocusOrder.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focused(), kFocusOrder[i % kFocusOrder.size()]) << "Tab number " << i;
    }
}

TEST_F(WindowFocus, ShiftTabWalksBackwards)
{
    for (std::size_t i = 1; i <= kFocusOrder.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(focused(), kFocusOrder[(kFocusOrder.size() - i) % kFocusOrder.size()])
            << "Shift+Tab number " << i;
    }
}

}  // namespace
}  // namespace inlet::test
