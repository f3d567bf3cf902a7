#pragma once

#include <string>

#include <sys/resource.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "model/CVeltrix2Doc.h"

// Compiles `text`, gives its plotted variables the ranges (x then y, or
// whatever the kind plots) and appends it to the document.
struct Plot {
    std::string label;
    std::string text;
    int mode = WireFrame;
    double min1 = -5, max1 = 5;
    int steps1 = 4;
    double min2 = -5, max2 = 5;
    int steps2 = 4;
    bool visible = true;
    Color color1 = 0xFFFFFF, color2 = 0x000000;
};
bool AddPlot(CVeltrix2Doc &doc, const Plot &plot);

// The bundled example document.
QString TourPath();

QByteArray ReadFileBytes(const QString &path);

// Runs a program; its standard output, or empty with a failed test when it
// does not end well.
QByteArray RunProgram(const QString &program, const QStringList &arguments);

// Limits the size of files this process writes while it lives, as a full
// disk would: the signal the limit raises is ignored, so writes beyond it
// fail with "File too large".
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    struct rlimit original_;
    void (*previousHandler_)(int);
};

// The things an output path may hold that are not regular files: a FIFO,
// and a link to a device.  The device is a node of its own beside the link
// (the numbers of /dev/null), never a system one that code writing through
// the link would destroy; where no node may be made, a FIFO stands in.
// False when they cannot be made.
bool MakeFifo(const QString &path);
bool MakeLinkToDevice(const QString &path);
// Whether `path` is still what MakeFifo or MakeLinkToDevice made.
bool IsFifo(const QString &path);
bool IsLinkToDevice(const QString &path);
