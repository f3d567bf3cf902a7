#pragma once

#include <memory>
#include <vector>

#include <QStringList>

#include "output/DepthOrder.h"
#include "view3d/ColorLegend.h"

class FigureCanvas;
class GlyphOutlines;
struct SceneState;

// A vector picture of a scene: what the view shows from the scene's camera
// (functions in their modes, cube, marks, axes, texts, trace cursor and
// colour legend), drawn from the same cells as the screen at width x height
// figure pixels.  Everything is projected, clipped and put in painter's
// order when the figure is made.  Shaded surfaces take the light's
// brightness at their corners, between which a gradient runs.  Needs a
// QGuiApplication for the font.
class SceneFigure {
public:
    SceneFigure(const SceneState &scene, int width, int height);
    ~SceneFigure();

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Draws the figure, the farthest first.
    void Paint(FigureCanvas &canvas) const;

    const DepthOrder::Statistics &Stats() const { return stats_; }
    // Why shown functions are missing (their grids could not be made).
    const QStringList &LeftOut() const { return leftOut_; }

private:
    void ShareCellEdges();
    struct Text;
    struct FaceStyle;
    class Builder;

    void PaintFace(FigureCanvas &canvas, const DepthItem &item) const;
    void PaintLine(FigureCanvas &canvas, const DepthItem &item) const;
    void PaintText(FigureCanvas &canvas, const DepthItem &item) const;
    void PaintLegend(FigureCanvas &canvas) const;

    int width_, height_;
    Color background_ = 0;
    double lineWidth_ = 1;
    std::unique_ptr<FigureProjection> projection_;
    std::unique_ptr<GlyphOutlines> glyphs_;
    std::vector<DepthItem> items_;
    std::vector<FaceStyle> faceStyles_;
    std::vector<Text> texts_;
    LegendDrawing legend_;
    DepthOrder::Statistics stats_;
    QStringList leftOut_;
};
