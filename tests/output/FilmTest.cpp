#include <cmath>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "output/AnimationFilm.h"
#include "output/BitmapPixels.h"
#include "output/FilmPalette.h"
#include "output/OffscreenRenderer.h"

namespace {

// Peak signal-to-noise ratio of two pictures, in dB: over the three colour
// channels, or over the luma (BT.709) a video keeps at full resolution.
double Psnr(const QImage &a, const QImage &b, bool luma)
{
    EXPECT_EQ(a.size(), b.size());
    double sum = 0;
    long count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (luma) {
                const double d = 0.2126 * (qRed(p) - qRed(q)) + 0.7152 * (qGreen(p) - qGreen(q)) +
                                 0.0722 * (qBlue(p) - qBlue(q));
                sum += d * d;
                ++count;
            } else {
                for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                    sum += double(d) * d;
                count += 3;
            }
        }
    }
    return sum == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / (sum / double(count)));
}

BitmapPixels Pixels(const QImage &image)
{
    BitmapPixels p;
    p.width = image.width();
    p.height = image.height();
    p.rows = QByteArray(p.ImageSize(), 0);
    for (int y = 0; y < p.height; ++y) {
        char *row = p.rows.data() + qsizetype(p.height - 1 - y) * p.Stride();
        for (int x = 0; x < p.width; ++x) {
            const QRgb c = image.pixel(x, y);
            row[3 * x] = char(qBlue(c));
            row[3 * x + 1] = char(qGreen(c));
            row[3 * x + 2] = char(qRed(c));
        }
    }
    return p;
}

class FilmTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(tour.Open(TourPath()), ReadOutcome::Ok);
        const ViewSettings &s = tour.Settings();
        request.scene.doc = &tour;
        request.scene.camera.SetPose({s.cameraX, s.cameraY, s.cameraZ, s.cameraPitch, s.cameraYaw});
        // The ripple, whose t runs through 21 positions.
        request.handle = tour.Get(3).handle;
        ASSERT_EQ(tour.Get(3).label, "Ripple");
        request.size = QSize(320, 240);
    }

    QString Path(const QString &name) const { return dir.filePath(name); }

    // ffprobe's account of the film's stream: codec_name=..., width=..., ...
    QString Probe(const QString &file) const
    {
        return QString::fromLocal8Bit(RunProgram(
            QStringLiteral("ffprobe"),
            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"), QStringLiteral("-show_entries"),
             QStringLiteral("stream=codec_name,width,height,nb_read_frames,r_frame_rate,pix_fmt"), QStringLiteral("-of"),
             QStringLiteral("default=noprint_wrappers=1"), file}));
    }

    // Picture `index` (from 0) of a film, decoded by ffmpeg.
    QImage Decoded(const QString &file, int index) const
    {
        const QString png = file + QStringLiteral(".png");
        RunProgram(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                                              QStringLiteral("-i"), file, QStringLiteral("-vf"),
                                              QStringLiteral("select=eq(n\\,%1)").arg(index), QStringLiteral("-frames:v"),
                                              QStringLiteral("1"), png});
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }

    // The picture of the animation's position `index`, as the exporter
    // draws it.
    QImage Position(int index)
    {
        FrameByFrameClock clock;
        AnimationEngine engine(clock);
        EXPECT_TRUE(engine.Start(tour.Functions(), request.handle, 0));
        for (int k = 0; k < index; ++k) {
            engine.FrameShown();
            engine.Tick();
        }
        OffscreenRenderer renderer;
        BitmapPixels pixels;
        EXPECT_TRUE(renderer.Render(request.scene, request.size.width(), request.size.height(), pixels));
        engine.PutBack();
        return ToImage(pixels).convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir dir;
    CVeltrix2Doc tour;
    FilmRequest request;
};

// One loop of the ripple's animation in each format: every position once,
// at the size and rate asked for, in the codec and (for H.264 and VP9) the
// pixel format players expect.  The function's parameter is as it was.
TEST_F(FilmTest, FilmsHaveTheirFramesSizeRateAndCodec)
{
    request.fps = 12;
    const QList<std::pair<VideoFormat, QString>> formats = {
        {VideoFormat::Mp4, "codec_name=h264"}, {VideoFormat::WebM, "codec_name=vp9"}, {VideoFormat::Gif, "codec_name=gif"}};
    const double before = tour.Settings().cubeDimension;
    for (const auto &[format, codec] : formats) {
        request.format = format;
        const QString file = Path(QStringLiteral("ripple.") + VideoSuffix(format));
        QString error;
        ASSERT_EQ(WriteAnimationFilm(file, request, {}, &error), FilmOutcome::Written) << error.toStdString();
        const QString probe = Probe(file);
        for (const QString &line : {codec, QStringLiteral("width=320"), QStringLiteral("height=240"),
                                    QStringLiteral("r_frame_rate=12/1"), QStringLiteral("nb_read_frames=21")}) {
            EXPECT_TRUE(probe.contains(line + QLatin1Char('\n'))) << line.toStdString() << "\n"
                                                                  << probe.toStdString();
        }
        if (format != VideoFormat::Gif) {
            EXPECT_TRUE(probe.contains(QStringLiteral("pix_fmt=yuv420p\n"))) << probe.toStdString();
        }
    }
    EXPECT_EQ(tour.Settings().cubeDimension, before);
    const QImage first = Position(0);
    EXPECT_EQ(Position(0), first) << "the animation starts where the film found it";

    // A count of pictures runs on through the loop.
    request.format = VideoFormat::Mp4;
    request.frames = 30;
    QString error;
    ASSERT_EQ(WriteAnimationFilm(Path("thirty.mp4"), request, {}, &error), FilmOutcome::Written) << error.toStdString();
    EXPECT_TRUE(Probe(Path("thirty.mp4")).contains(QStringLiteral("nb_read_frames=30\n")));
}

// The middle picture of each film, decoded, against the picture of the same
// position: H.264 and VP9 keep the luma within 35 dB (their colours are
// halved in resolution, which thin coloured lines feel), the GIF's palette
// the colours within 25 dB.
TEST_F(FilmTest, MiddlePictureMatchesItsPosition)
{
    request.size = QSize(640, 480);
    const QImage expected = Position(10);
    for (VideoFormat format : {VideoFormat::Mp4, VideoFormat::WebM, VideoFormat::Gif}) {
        request.format = format;
        const QString file = Path(QStringLiteral("middle.") + VideoSuffix(format));
        QString error;
        ASSERT_EQ(WriteAnimationFilm(file, request, {}, &error), FilmOutcome::Written) << error.toStdString();
        const QImage decoded = Decoded(file, 10);
        ASSERT_EQ(decoded.size(), expected.size());
        const double color = Psnr(decoded, expected, false), luma = Psnr(decoded, expected, true);
        std::printf("%s: PSNR %.1f dB (colours), %.1f dB (luma)\n", qPrintable(VideoSuffix(format)), color, luma);
        if (format == VideoFormat::Gif) {
            EXPECT_GE(color, 25);
        } else {
            EXPECT_GE(luma, 35);
        }
        // Not some other position.
        EXPECT_LT(Psnr(decoded, Position(14), true), luma - 3);
    }
}

// Stopped half-way, or failing, a film leaves nothing behind: an existing
// file keeps its bytes and no temporary file stays.  Failures say why.
TEST_F(FilmTest, StoppedAndFailedFilmsLeaveNoFile)
{
    const QString kept = Path("kept.mp4");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("an old film");
    }
    int calls = 0;
    QString error;
    EXPECT_EQ(WriteAnimationFilm(kept, request, [&](int done, int total) {
                  EXPECT_EQ(done, calls + 1);
                  EXPECT_EQ(total, 21);
                  return ++calls < 3; }, &error), FilmOutcome::Stopped);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(ReadFileBytes(kept), QByteArray("an old film"));

    request.size = QSize(321, 240);
    EXPECT_EQ(WriteAnimationFilm(Path("odd.mp4"), request, {}, &error), FilmOutcome::Failed);
    EXPECT_TRUE(error.contains(QStringLiteral("even width and height"))) << error.toStdString();
    EXPECT_TRUE(error.contains(Path("odd.mp4"))) << error.toStdString();

    request.size = QSize(320, 240);
    request.handle = tour.Get(1).handle;   // the saddle: nothing to animate
    EXPECT_EQ(WriteAnimationFilm(Path("still.gif"), request, {}, &error), FilmOutcome::Failed);
    EXPECT_TRUE(error.contains(QStringLiteral("no parameters"))) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.mp4"});
}

// A film of a few colours keeps them exactly; one of many keeps the common
// ones exactly and the rest near.
TEST(FilmPalette, KeepsColorsTrue)
{
    QImage few(64, 48, QImage::Format_RGB32);
    few.fill(qRgb(10, 20, 30));
    for (int x = 0; x < 64; ++x) {
        few.setPixel(x, 10, qRgb(250, 128, 3));
        few.setPixel(x, 20, qRgb(251, 128, 3));
    }
    FilmPalette counter;
    counter.Add(Pixels(few));
    std::vector<uint32_t> palette = counter.Build();
    ASSERT_EQ(palette.size(), 3u);
    PaletteMapper mapper(palette);
    std::vector<uint8_t> indices(64 * 48);
    mapper.Map(Pixels(few), indices.data(), 64);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(palette[indices[size_t(y * 64 + x)]], few.pixel(x, y) & 0xFFFFFF) << x << " " << y;

    // A background, and a ramp of 4096 colours in a corner of it.
    QImage many(256, 256, QImage::Format_RGB32);
    many.fill(qRgb(0, 0, 64));
    for (int k = 0; k < 4096; ++k)
        many.setPixel(k % 64, k / 64, qRgb(k % 256, (k / 16) % 256, 255 - k / 16));
    FilmPalette big;
    big.Add(Pixels(many));
    palette = big.Build();
    EXPECT_EQ(palette.size(), 256u);
    EXPECT_NE(std::find(palette.begin(), palette.end(), 0x000040u), palette.end());
    PaletteMapper near(palette);
    indices.assign(256 * 256, 0);
    near.Map(Pixels(many), indices.data(), 256);
    QImage mapped(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            mapped.setPixel(x, y, 0xFF000000 | palette[indices[size_t(y * 256 + x)]]);
    EXPECT_GE(Psnr(mapped, many, false), 30);
}

} // namespace
