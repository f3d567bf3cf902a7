#pragma once

#include <QList>
#include <QObject>

#include "view3d/RenderOptions.h"

class GLView;
class QAction;
class QSettings;

// How the 3D view draws, as the user likes it: View > "Smooth Lines",
// "Shaded Surfaces", "Colour Legend" and "Contour Lines", with the contour
// lines' levels and floor chosen in View > "Contour Options...".  Kept per user in the settings
// store (documents do not carry them) and handed to the view, whose
// prints and exports draw the same way.
class ViewPreferences : public QObject {
    Q_OBJECT
public:
    // Reads the store and gives the view its options at once.
    ViewPreferences(GLView *view, QObject *parent);

    // The check items and the options command, in menu order.
    QList<QAction *> Actions() const { return {smoothLines_, shaded_, legend_, contours_, contourOptions_}; }
    QAction *ContourLines() const { return contours_; }
    QAction *ContourOptionsAction() const { return contourOptions_; }
    RenderOptions Current() const;

    // What the store holds; a user who never chose has smooth lines on and
    // contour lines off (10 levels, not on the floor, once turned on).
    static RenderOptions Load(const QSettings &store);
    static void Save(QSettings &store, const RenderOptions &options);

private:
    QAction *MakeToggle(const QString &text, const QString &prompt, bool checked);
    void Changed();
    void ChooseContours();

    GLView *view_;
    QAction *smoothLines_ = nullptr;
    QAction *shaded_ = nullptr;
    QAction *legend_ = nullptr;
    QAction *contours_ = nullptr;
    QAction *contourOptions_ = nullptr;
    // Levels and floor, kept while the lines are off.
    ContourOptions contourChoice_;
};
