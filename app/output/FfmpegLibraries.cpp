#include "output/FfmpegLibraries.h"

#include <dlfcn.h>

namespace {

// The libraries by the major versions of the headers: the ABI the program
// was built against.
QByteArray LibraryName(const char *base, int major)
{
    return QByteArray("lib") + base + ".so." + QByteArray::number(major);
}

struct Loaded {
    FfmpegLibraries functions;
    bool ok = false;
    QString why;
};

Loaded Load()
{
    Loaded l;
    const struct {
        const char *name;
        int major;
    } libraries[] = {{"avutil", LIBAVUTIL_VERSION_MAJOR},
                     {"avcodec", LIBAVCODEC_VERSION_MAJOR},
                     {"avformat", LIBAVFORMAT_VERSION_MAJOR},
                     {"swscale", LIBSWSCALE_VERSION_MAJOR}};
    void *handles[4] = {};
    for (int k = 0; k < 4; ++k) {
        const QByteArray name = LibraryName(libraries[k].name, libraries[k].major);
        handles[k] = dlopen(name.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handles[k]) {
            l.why = QStringLiteral("the video library %1 cannot be loaded (install FFmpeg's libraries): %2")
                        .arg(QString::fromLatin1(name), QString::fromLocal8Bit(dlerror()));
            return l;
        }
    }
    enum {
        Util,
        Codec,
        Format,
        Scale
    };
    bool found = true;
#define VELTRIX_FFMPEG_FIND(library, name)                                                  \
    l.functions.name = reinterpret_cast<decltype(&::name)>(dlsym(handles[library], #name)); \
    if (!l.functions.name && found) {                                                       \
        found = false;                                                                      \
        l.why = QStringLiteral("the video libraries lack %1").arg(QLatin1String(#name));    \
    }
    VELTRIX_FFMPEG_FUNCTIONS(VELTRIX_FFMPEG_FIND)
#undef VELTRIX_FFMPEG_FIND
    l.ok = found;
    return l;
}

} // namespace

const FfmpegLibraries *FfmpegLibraries::Get(QString *why)
{
    // The libraries stay loaded for the life of the process.
    static const Loaded loaded = Load();
    if (!loaded.ok && why)
        *why = loaded.why;
    return loaded.ok ? &loaded.functions : nullptr;
}
