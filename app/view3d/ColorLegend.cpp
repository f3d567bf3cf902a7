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

double Advance(const GlyphMetricsTable &metrics, const std::string &text)
{
    double w = 0;
    for (unsigned char c : text)
        w += metrics[c].cellIncX;
    return w;
}

// The text cut at the end until it is at most `width` em wide.
std::string Fitting(const GlyphMetricsTable &metrics, std::string text, double width)
{
    while (!text.empty() && Advance(metrics, text) > width)
        text.pop_back();
    return text;
}

void Text(const OutlineFont &font, const LegendText &t)
{
    if (t.text.empty() || !font.IsBuilt())
        return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(font.ListsFor(t.text));
    glPushMatrix();
    glTranslated(t.x, t.y, 0);
    glScaled(t.size, t.size, 1);
    glCallLists(GLsizei(std::min<size_t>(t.text.size(), 255)), GL_UNSIGNED_BYTE, t.text.data());
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
    for (int k = 0; k <= kLegendBarSegments; ++k) {
        const double t = double(k) / kLegendBarSegments;
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

namespace {

void Move(LegendText &t, double dx, double dy)
{
    t.x += dx;
    t.y += dy;
}

// The drawing moved by (dx, dy), every part with it.
void Move(LegendDrawing &d, double dx, double dy)
{
    d.left += dx, d.right += dx, d.bottom += dy, d.top += dy;
    for (LegendDrawing::Item &item : d.items) {
        item.barLeft += dx, item.barRight += dx, item.barBottom += dy, item.barTop += dy;
        for (double &x : item.markX)
            x += dx;
        Move(item.label, dx, dy);
        Move(item.low, dx, dy);
        Move(item.high, dx, dy);
    }
}

double Covered(const LegendDrawing &d, const std::vector<ScreenRect> &avoid)
{
    const ScreenRect panel{d.left, d.bottom, d.right, d.top};
    double area = 0;
    for (const ScreenRect &r : avoid)
        area += panel.Overlap(r);
    return area;
}

// Into the corner that covers least of `avoid`, the designed lower right
// one first and the upper right one last: the view's floating bars open
// there.
void PlaceInCorner(LegendDrawing &d, int height, double margin, const std::vector<ScreenRect> &avoid)
{
    const double up = height - margin - d.top;   // from the bottom edge to the top edge
    const double left = margin - d.left;          // from the right edge to the left edge
    const double moves[4][2] = {{0, 0}, {left, 0}, {left, up}, {0, up}};
    int best = 0;
    double least = -1;
    for (int k = 0; k < 4; ++k) {
        LegendDrawing moved = d;
        Move(moved, moves[k][0], moves[k][1]);
        const double covered = Covered(moved, avoid);
        if (least < 0 || covered < least) {
            least = covered;
            best = k;
        }
        if (covered == 0)
            break;
    }
    Move(d, moves[best][0], moves[best][1]);
}

} // namespace

LegendDrawing ComposeLegend(const std::vector<LegendEntry> &entries, const GlyphMetricsTable &metrics, int width,
                            int height, Color background, const std::vector<ScreenRect> &avoid)
{
    LegendDrawing d;
    const LegendLayout l = LayOutLegend(int(entries.size()), width, height);
    if (l.shown == 0 || l.left < 0)
        return d;
    const double pad = kPadding * l.unit;
    d.left = l.left - pad;
    d.bottom = kMargin * l.unit;
    d.right = l.right + pad;
    d.top = l.top + pad;
    d.background = background;
    d.ink = Contrasting(background);
    const double em = l.textHeight / 0.75;   // capitals a text height high
    const double widthEm = (l.right - l.left) / em;
    for (int k = 0; k < l.shown; ++k) {
        LegendDrawing::Item item;
        item.entry = entries[size_t(k)];
        item.barLeft = l.left;
        item.barRight = l.right;
        item.barBottom = l.BarBottom(k);
        item.barTop = item.barBottom + l.barHeight;
        item.label = {Fitting(metrics, item.entry.label, widthEm), l.left, item.barTop + kGap * l.unit, em};
        const double numbers = item.barBottom - kGap * l.unit - l.textHeight;
        const std::string high = LegendNumber(item.entry.high);
        item.low = {LegendNumber(item.entry.low), l.left, numbers, em};
        item.high = {high, l.right - Advance(metrics, high) * em, numbers, em};
        const LegendEntry &e = item.entry;
        if (e.high > e.low)
            for (const double level : e.marks)
                if (level >= e.low && level <= e.high)
                    item.markX.push_back(l.left + (level - e.low) / (e.high - e.low) * (l.right - l.left));
        d.items.push_back(std::move(item));
    }
    if (!avoid.empty())
        PlaceInCorner(d, height, kMargin * l.unit, avoid);
    return d;
}

void DrawColorLegend(const std::vector<LegendEntry> &entries, const OutlineFont &font, int width,
                     int height, Color background, const std::vector<ScreenRect> &avoid)
{
    const LegendDrawing d = ComposeLegend(entries, font.AllMetrics(), width, height, background, avoid);
    if (d.items.empty())
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

    SetColor(d.background);
    Rectangle(GL_QUADS, d.left, d.bottom, d.right, d.top);
    SetColor(d.ink);
    Rectangle(GL_LINE_LOOP, d.left, d.bottom, d.right, d.top);
    for (const LegendDrawing::Item &item : d.items) {
        SetColor(d.ink);
        Text(font, item.label);
        Bar(item.entry, item.barLeft, item.barBottom, item.barRight, item.barTop);
        SetColor(d.ink);
        Rectangle(GL_LINE_LOOP, item.barLeft, item.barBottom, item.barRight, item.barTop);
        glBegin(GL_LINES);
        for (const double x : item.markX) {
            glVertex2d(x, item.barBottom);
            glVertex2d(x, item.barTop);
        }
        glEnd();
        Text(font, item.low);
        Text(font, item.high);
    }

    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
