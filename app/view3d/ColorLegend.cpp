#include "view3d/ColorLegend.h"

#include <algorithm>

#include <GL/gl.h>

#include "model/FormatGeneral.h"
#include "view3d/GradientColor.h"
#include "view3d/OutlineFont.h"

namespace {

// Sizes in pixels of a 600-pixel-high view.
constexpr double kMargin = 10, kPadding = 6;
constexpr double kBarWidth = 170, kBarHeight = 12, kText = 13, kGap = 4, kSpacing = 10;
constexpr int kBarSegments = 64;
constexpr double kReferenceHeight = 600;

void SetColor(Color c)
{
    glColor3ub(GLubyte(ColorRed(c)), GLubyte(ColorGreen(c)), GLubyte(ColorBlue(c)));
}

Color Contrasting(Color background)
{
    const double luminance =
        0.299 * ColorRed(background) + 0.587 * ColorGreen(background) + 0.114 * ColorBlue(background);
    return luminance > 140 ? 0x000000 : 0xFFFFFF;
}

double Advance(const OutlineFont &font, const std::string &text)
{
    double w = 0;
    for (unsigned char c : text)
        w += font.Metrics(c).cellIncX;
    return w;
}

// The text cut at the end until it is at most `width` em wide.
std::string Fitting(const OutlineFont &font, std::string text, double width)
{
    while (!text.empty() && Advance(font, text) > width)
        text.pop_back();
    return text;
}

void Text(const OutlineFont &font, const std::string &text, double x, double y, double size)
{
    if (text.empty() || !font.IsBuilt())
        return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(font.ListBase());
    glPushMatrix();
    glTranslated(x, y, 0);
    glScaled(size, size, 1);
    glCallLists(GLsizei(std::min<size_t>(text.size(), 255)), GL_UNSIGNED_BYTE, text.data());
    glPopMatrix();
    glPopAttrib();
}

void Rectangle(GLenum mode, double x0, double y0, double x1, double y1)
{
    glBegin(mode);
    glVertex2d(x0, y0);
    glVertex2d(x1, y0);
    glVertex2d(x1, y1);
    glVertex2d(x0, y1);
    glEnd();
}

void Bar(const LegendEntry &e, double x0, double y0, double x1, double y1)
{
    glBegin(GL_QUAD_STRIP);
    for (int k = 0; k <= kBarSegments; ++k) {
        const double t = double(k) / kBarSegments;
        SetColor(GradientColor(e.low, e.high, e.low + t * (e.high - e.low), e.color1, e.color2));
        const double x = x0 + t * (x1 - x0);
        glVertex2d(x, y0);
        glVertex2d(x, y1);
    }
    glEnd();
}

} // namespace

std::string LegendNumber(double value)
{
    return FormatGeneral(value, 4).toStdString();
}

double LegendLayout::BarBottom(int k) const
{
    return top - k * entryHeight - textHeight - kGap * unit - barHeight;
}

LegendLayout LayOutLegend(int entries, int width, int height)
{
    LegendLayout l;
    l.unit = std::max(1.0, height / kReferenceHeight);
    l.right = width - (kMargin + kPadding) * l.unit;
    l.left = l.right - kBarWidth * l.unit;
    l.barHeight = kBarHeight * l.unit;
    l.textHeight = kText * l.unit;
    l.entryHeight = (2 * kText + 2 * kGap + kBarHeight + kSpacing) * l.unit;
    const double room = height - 2 * (kMargin + kPadding) * l.unit + kSpacing * l.unit;
    l.shown = std::clamp(int(room / l.entryHeight), 0, entries);
    l.top = (kMargin + kPadding) * l.unit + l.shown * l.entryHeight - kSpacing * l.unit;
    return l;
}

void DrawColorLegend(const std::vector<LegendEntry> &entries, const OutlineFont &font, int width,
                     int height, Color background)
{
    const LegendLayout l = LayOutLegend(int(entries.size()), width, height);
    if (l.shown == 0 || l.left < 0)
        return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    const Color ink = Contrasting(background);
    const double pad = kPadding * l.unit, bottom = kMargin * l.unit;
    SetColor(background);
    Rectangle(GL_QUADS, l.left - pad, bottom, l.right + pad, l.top + pad);
    SetColor(ink);
    Rectangle(GL_LINE_LOOP, l.left - pad, bottom, l.right + pad, l.top + pad);

    const double em = l.textHeight / 0.75;   // capitals a text height high
    const double widthEm = (l.right - l.left) / em;
    for (int k = 0; k < l.shown; ++k) {
        const LegendEntry &e = entries[size_t(k)];
        const double barBottom = l.BarBottom(k), barTop = barBottom + l.barHeight;
        SetColor(ink);
        Text(font, Fitting(font, e.label, widthEm), l.left, barTop + kGap * l.unit, em);
        Bar(e, l.left, barBottom, l.right, barTop);
        SetColor(ink);
        Rectangle(GL_LINE_LOOP, l.left, barBottom, l.right, barTop);
        const double numbers = barBottom - kGap * l.unit - l.textHeight;
        const std::string low = LegendNumber(e.low), high = LegendNumber(e.high);
        Text(font, low, l.left, numbers, em);
        Text(font, high, l.right - Advance(font, high) * em, numbers, em);
    }

    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
