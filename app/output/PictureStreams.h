#pragma once

#include <memory>

#include <QImage>

#include "output/BitmapPixels.h"
#include "output/PictureRows.h"

class QIODevice;

// A PNG written row by row as the rows come.  Without row filters: scene
// pictures are mostly flat paper and thin lines, where the filters' trials
// cost more time than they save bytes.
std::unique_ptr<PictureRows> PngRows(QIODevice &out);

// A .bmp file written row by row: the bytes BitmapFileBytes makes.
std::unique_ptr<PictureRows> BmpRows(QIODevice &out);

// The rows gathered into `image` (top-down, RGB888), for painting.
std::unique_ptr<PictureRows> ImageRows(QImage &image);

// The rows gathered into `pixels` (bottom-up, blue-green-red).
std::unique_ptr<PictureRows> PixelRows(BitmapPixels &pixels);

// Hands a whole picture to `rows` in the layout it asks for: the pixels'
// rows as they are where the layouts agree, else converted one row at a time.
bool SendPixels(const BitmapPixels &pixels, PictureRows &rows);
