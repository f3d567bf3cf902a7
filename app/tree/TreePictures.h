#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QVector>

// The pictures of the function tree, drawn once at start-up.

// The nine 15 x 14 node pictures: red F, grey F, pencil, "Var", brackets,
// footprints, spectacles, three discs, paint brush.
QVector<QPixmap> TreeImages();

// The menu-item pictures: edit glyph, red cross, circular arrow, red F,
// curve with a dot.
enum MenuPicture {
    EditPicture = 0,
    CrossPicture,
    RefreshPicture,
    FunctionPicture,
    CurvePicture
};
QVector<QPixmap> MenuPictures();

// The 200 x 200 paper texture with a faint wire-frame surface in its middle.
QImage PaperBackground();

QIcon FontButtonIcon();
QIcon ColorButtonIcon();
