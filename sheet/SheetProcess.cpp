#include "sheet/SheetProcess.h"

#include "calc/Profiles.h"
#include "sheet/SheetStyle.h"
#include "calc/Volute.h"

#include <cmath>
#include <cstdio>

namespace inlet {

namespace {

// A figure as the substituted formulas show it: seven significant digits, no exponent below
// 10^7, trailing zeros dropped, the locale's decimal separator.
QString fig(double value, const NumberLocale& locale)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7g", value);
    QString text = QString::fromLatin1(buffer);
    if (text.contains(QLatin1Char('e'))) {
        std::snprintf(buffer, sizeof buffer, "%.1f", value);
        text = QString::fromLatin1(buffer);
    }
    return text.replace(QLatin1Char('.'), QString::fromStdString(locale.decimalSeparator));
}

// One numbered formula: "(4)  a1 = c·√(…)/2", and where figures are given
// "= 1234×… = 400.2 mm" after it.
class Steps {
public:
    Steps(TextWriter& writer, const NumberLocale& locale) : writer_(writer), locale_(locale) {}

    // A figure substituted into a formula: a negative one in brackets, "(-1935.117)".
    QString f(double value) const
    {
        const QString text = fig(value, locale_);
        return value < 0 ? QStringLiteral("(") + text + QStringLiteral(")") : text;
    }
    // A value a formula gives.
    QString value(double value) const { return fig(value, locale_); }

    void formula(const QString& formula) { line(formula, QString(), QString()); }
    void step(const QString& formula, const QString& figures, double value, const QString& unit = {})
    {
        line(formula, figures, this->value(value) + (unit.isEmpty() ? QString() : QStringLiteral(" ") + unit));
    }
    void note(const QString& text) { writer_.paragraph(text, 6); }

private:
    void line(const QString& formula, const QString& figures, const QString& value)
    {
        QString text = QStringLiteral("(%1)  ").arg(++number_) + formula;
        if (!figures.isEmpty())
            text += QStringLiteral(" = ") + figures;
        if (!value.isEmpty())
            text += QStringLiteral(" = ") + value;
        writer_.paragraph(text, 6);
    }

    TextWriter& writer_;
    const NumberLocale& locale_;
    int number_ = 0;
};

void writeFormulasOnly(Steps& s)
{
    s.formula(QStringLiteral("t = tan θ"));
    s.formula(QStringLiteral("d = D1 - D0"));
    s.formula(QStringLiteral("c = d·H1 - 2·H1²·t"));
    s.formula(QStringLiteral("a1 = c·√( d / (H1²·d - 4·H1³·t) ) / 2"));
    s.formula(QStringLiteral("b1 = c / (d - 4·H1·t)"));
    s.formula(QStringLiteral("x1 = D1 / 2"));
    s.formula(QStringLiteral("y1 = (H0 + H1) - b1"));
    s.formula(QStringLiteral("x2 = D1 / 2"));
    s.formula(QStringLiteral("y2 = H0（取单精度）"));
    s.formula(QStringLiteral("a2 = (D1 - dd0) / 2"));
    s.formula(QStringLiteral("b2 = H1 + H2"));
    s.formula(QStringLiteral("T = tan aa"));
    s.formula(QStringLiteral("S = √( a1²·T² + b1² )"));
    s.formula(QStringLiteral("ap = a1²·T / S"));
    s.formula(QStringLiteral("bp = (b1 + H2) - b1² / S"));
    s.formula(QStringLiteral("Ft = ( bp·hk + (hk - bp)² / (2·T) ) - π·ap·(bp - H2) / 4"));
    s.formula(QStringLiteral("P = 2·(ap - bp / T)"));
    s.formula(QStringLiteral("F = π·D1·H2·φ / 360（φ = 0°～80° 取单精度）"));
    s.formula(QStringLiteral("C = ( ap² + π·(ap·H2 - ap·bp) / (2·T) ) - 2·F / T"));
    s.formula(QStringLiteral("F ≤ Ft：a = ( P + (P² - 4·C)^0.5 ) / 2"));
    s.formula(QStringLiteral("F > Ft：a = ( (F + ap·(hk - bp)) + π·ap·(bp - H2) / 4 + (hk - bp)² / (2·T) ) / hk"));
    s.formula(QStringLiteral("H = (H0 + H1) + H2"));
    s.formula(QStringLiteral("φ = 90°：F = π·D1·H2 / 4，a90 按线性式"));
    s.formula(QStringLiteral("B = 2·a90 + D1"));
}

}  // namespace

void writeProcess(TextWriter& writer, const SheetInput& input)
{
    writer.section(QStringLiteral("4 计算过程"));
    writer.paragraph(QStringLiteral("以下各式按程序计算的先后次序列出，每式自左至右依次计算，等号后依次为代入的数值及"
                                    "所得结果（数值取 7 位有效数字显示，计算按全部位数进行）。圆周率 π 一律取 3.1416。"
                                    "长度以 mm 计，面积以 mm² 计，角度以弧度计。哪些量取单精度见附录 A。"));
    Steps s(writer, input.locale());
    if (!input.calculation()) {
        writer.paragraph(QStringLiteral("计算未完成，下列各式不代入数值。"));
        writeFormulasOnly(s);
        return;
    }
    const Calculation& c = *input.calculation();
    const DesignInputs& in = c.in;
    const ProfileResults& p = c.profile;
    const Volute& v = c.volute;
    const auto f = [&s](double value) { return s.f(value); };
    const QString pi = QStringLiteral("3.1416");

    writer.subsection(QStringLiteral("4.1 喇叭管及导水锥型线"));
    const double tt = t(in), dd = d(in), cc = inlet::c(in);
    s.step(QStringLiteral("t = tan θ"), QStringLiteral("tan %1").arg(f(in.theta)), tt);
    s.step(QStringLiteral("d = D1 - D0"), QStringLiteral("%1 - %2").arg(f(in.D1), f(in.D0)), dd, QStringLiteral("mm"));
    s.step(QStringLiteral("c = d·H1 - 2·H1²·t"),
           QStringLiteral("%1×%2 - 2×%2²×%3").arg(f(dd), f(in.H1), f(tt)), cc, QStringLiteral("mm²"));
    s.step(QStringLiteral("a1 = c·√( d / (H1²·d - 4·H1³·t) ) / 2"),
           QStringLiteral("%1×√( %2 / (%3²×%2 - 4×%3³×%4) ) / 2").arg(f(cc), f(dd), f(in.H1), f(tt)), p.a1,
           QStringLiteral("mm"));
    s.step(QStringLiteral("b1 = c / (d - 4·H1·t)"), QStringLiteral("%1 / (%2 - 4×%3×%4)").arg(f(cc), f(dd), f(in.H1), f(tt)),
           p.b1, QStringLiteral("mm"));
    s.step(QStringLiteral("x1 = D1 / 2"), QStringLiteral("%1 / 2").arg(f(in.D1)), p.x1, QStringLiteral("mm"));
    s.step(QStringLiteral("y1 = (H0 + H1) - b1"), QStringLiteral("(%1 + %2) - %3").arg(f(in.H0), f(in.H1), f(p.b1)), p.y1,
           QStringLiteral("mm"));
    s.step(QStringLiteral("x2 = D1 / 2"), QStringLiteral("%1 / 2").arg(f(in.D1)), p.x2, QStringLiteral("mm"));
    s.step(QStringLiteral("y2 = H0（取单精度）"), f(in.H0), p.y2, QStringLiteral("mm"));
    s.step(QStringLiteral("a2 = (D1 - dd0) / 2"), QStringLiteral("(%1 - %2) / 2").arg(f(in.D1), f(in.dd0)), p.a2,
           QStringLiteral("mm"));
    s.step(QStringLiteral("b2 = H1 + H2"), QStringLiteral("%1 + %2").arg(f(in.H1), f(in.H2)), p.b2, QStringLiteral("mm"));

    writer.subsection(QStringLiteral("4.2 蜗壳上壁面切点"));
    const double S = inlet::S(p.a1, p.b1, v.T);
    s.step(QStringLiteral("T = tan aa"), QStringLiteral("tan %1").arg(f(in.aa)), v.T);
    s.step(QStringLiteral("S = √( a1²·T² + b1² )"), QStringLiteral("√( %1²×%2² + %3² )").arg(f(p.a1), f(v.T), f(p.b1)), S,
           QStringLiteral("mm"));
    s.step(QStringLiteral("ap = a1²·T / S"), QStringLiteral("%1²×%2 / %3").arg(f(p.a1), f(v.T), f(S)), v.tp.ap,
           QStringLiteral("mm"));
    s.step(QStringLiteral("bp = (b1 + H2) - b1² / S"), QStringLiteral("(%1 + %2) - %1² / %3").arg(f(p.b1), f(v.H2), f(S)),
           v.tp.bp, QStringLiteral("mm"));

    writer.subsection(QStringLiteral("4.3 蜗壳断面宽度"));
    const QString ap = f(v.tp.ap), bp = f(v.tp.bp), hk = f(v.hk), H2 = f(v.H2), T = f(v.T), P = f(v.P);
    s.step(QStringLiteral("临界面积 Ft = ( bp·hk + (hk - bp)² / (2·T) ) - π·ap·(bp - H2) / 4"),
           QStringLiteral("( %1×%2 + (%2 - %1)² / (2×%3) ) - %4×%5×(%1 - %6) / 4").arg(bp, hk, T, pi, ap, H2), v.Ft,
           QStringLiteral("mm²"));
    s.step(QStringLiteral("P = 2·(ap - bp / T)"), QStringLiteral("2×(%1 - %2 / %3)").arg(ap, bp, T), v.P, QStringLiteral("mm"));
    writer.paragraph(QStringLiteral("依次对 φ = 0°、10°、…、80°，再对 φ = 87°、84° 按下列各式计算断面面积 F（φ = 0°～80° "
                                    "取单精度）及宽度 a（a0～a80、a84、a87 取单精度）："));
    s.formula(QStringLiteral("F = π·D1·H2·φ / 360"));
    s.formula(QStringLiteral("C = ( ap² + π·(ap·H2 - ap·bp) / (2·T) ) - 2·F / T"));
    s.formula(QStringLiteral("F ≤ Ft 时按二次式：a = ( P + (P² - 4·C)^0.5 ) / 2"));
    s.formula(QStringLiteral("F > Ft 时按线性式：a = ( (F + ap·(hk - bp)) + π·ap·(bp - H2) / 4 + (hk - bp)² / (2·T) ) / hk"));
    const QString linear = QStringLiteral("( (%1 + %2×(%3 - %4)) + %5×%2×(%4 - %6) / 4 + (%3 - %4)² / (2×%7) ) / %3");
    const std::array<Station, 12> all = stations(c);
    const auto station = [&](std::size_t k) {
        const Station& st = all[k];
        QString text = QStringLiteral("φ = %1°：F = %2×%3×%4×%1 / 360 = %5 mm²；")
                           .arg(QString::number(st.phi), pi, f(in.D1), H2, s.value(st.F));
        if (st.rule == WidthRule::Quadratic) {
            const double C = k < 9 ? c.table.C[k] : inlet::C(v, st.F);
            text += QStringLiteral("F ≤ Ft，C = ( %1² + %2×(%1×%3 - %1×%4) / (2×%5) ) - 2×%6 / %5 = %7 mm²；")
                        .arg(ap, pi, H2, bp, T, f(st.F), s.value(C));
            text += QStringLiteral("a%1 = ( %2 + (%2² - 4×%3)^0.5 ) / 2").arg(QString::number(st.phi), P, f(C));
        } else {
            text += QStringLiteral("F > Ft，a%1 = ").arg(st.phi) + linear.arg(f(st.F), ap, hk, bp, pi, H2, T);
        }
        s.note(text + QStringLiteral(" = ") + s.value(st.a) + QStringLiteral(" mm"));
    };
    for (std::size_t k = 0; k < 9; ++k)
        station(k);
    station(10);  // 87°
    station(9);   // 84°

    writer.subsection(QStringLiteral("4.4 流道尺寸"));
    s.step(QStringLiteral("流道高度 H = (H0 + H1) + H2"), QStringLiteral("(%1 + %2) + %3").arg(f(in.H0), f(in.H1), f(in.H2)),
           p.H, QStringLiteral("mm"));
    const Station& last = all[11];
    s.step(QStringLiteral("φ = 90°：F = π·D1·H2 / 4"), QStringLiteral("%1×%2×%3 / 4").arg(pi, f(in.D1), H2), last.F,
           QStringLiteral("mm²"));
    s.step(QStringLiteral("a90 = ( (F + ap·(hk - bp)) + π·ap·(bp - H2) / 4 + (hk - bp)² / (2·T) ) / hk（一律按线性式）"),
           linear.arg(f(last.F), ap, hk, bp, pi, H2, T),
           c.a90, QStringLiteral("mm"));
    s.step(QStringLiteral("流道宽度 B = 2·a90 + D1"), QStringLiteral("2×%1 + %2").arg(f(c.a90), f(in.D1)), c.B,
           QStringLiteral("mm"));
    writer.paragraph(QStringLiteral("计算中遇除数为零、负数开方、数值溢出即中止，并指明出错的量。"));
}

void writeAppendix(TextWriter& writer)
{
    writer.section(QStringLiteral("附录 A 输入的读取、精度与结果的显示"));
    writer.subsection(QStringLiteral("A.1 输入的读取"));
    writer.paragraph(QStringLiteral("除导水锥直径 dd0 外，各框文本按宽松读法取数：跳过前导空格，读取正负号、数字、"
                                    "小数点（一律为句点“.”）及指数，数字中的空格不计，遇到不能构成数字的字符即止，"
                                    "其后文字不读；没有数字时取 0。"));
    writer.paragraph(QStringLiteral("导水锥直径 dd0 按严格转换取数：整段文本（去掉首尾空格）必须是按本机数字格式"
                                    "书写的数，否则计算中止（类型不匹配）。"));
    writer.subsection(QStringLiteral("A.2 单精度与双精度"));
    writer.paragraph(QStringLiteral("θ = θ° × π / 180，以扩展精度计算后取单精度；aa = aa° × π / 180，双精度。"));
    writer.paragraph(QStringLiteral("以单精度保存的量：θ（弧度）、H2、dd0、hk、y2、φ=0°～80° 各断面面积 F 及宽度 a0～a80、"
                                    "a84、a87；单精度值参与运算时扩展为双精度。其余各量均为双精度。"));
    writer.subsection(QStringLiteral("A.3 结果的显示"));
    writer.paragraph(QStringLiteral("程序窗口中 a1、b1、ap、bp、各断面宽度、H、B 四舍五入取整（0.5 向远离零的方向进位），"
                                    "不足四位时前补零（如 0400、-0008）；本计算书的结果表去掉前补的零（400、-8），"
                                    "并在“窗口显示”栏列出窗口中的原文。x1、x2、a2、b2 显示至多 15 位有效数字，"
                                    "y2 至多 7 位有效数字；y1 显示最接近的整数，不补零。小数点按本机数字格式。"));
}

}  // namespace inlet
