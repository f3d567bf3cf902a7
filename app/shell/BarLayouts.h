#pragma once

#include <QList>
#include <QString>

class QAction;
struct FrameActions;
struct OutputActions;
struct ViewActions;

// The buttons of the four bars, in order; a null entry is a separator.
namespace BarLayouts {
QList<QAction *> Standard(const FrameActions &frame, const OutputActions &output);
QList<QAction *> ThreeD(const ViewActions &view);
QList<QAction *> Animation(const ViewActions &view, const FrameActions &frame);
QList<QAction *> Trace(const ViewActions &view, const FrameActions &frame);

// Gives the buttons of a bar the 16x15 pictures of a picture strip, left to
// right (separators take none).
void SetImages(const QString &stripResource, const QList<QAction *> &buttons);
}  // namespace BarLayouts
