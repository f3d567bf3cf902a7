// Pictures streamed into their files, and pictures drawn in strips.
#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "OutputTestSupport.h"
#include "output/OffscreenRenderer.h"
#include "output/PictureFiles.h"
#include "output/PictureStreams.h"
#include "view3d/SceneState.h"

namespace {

SceneState TourScene(const CVeltrix2Doc &doc, int width, int height)
{
    const ViewSettings &s = doc.Settings();
    SceneState scene;
    scene.doc = &doc;
    scene.camera.SetPose({s.cameraX, s.cameraY, s.cameraZ, s.cameraPitch, s.cameraYaw});
    scene.width = width;
    scene.height = height;
    return scene;
}

class PictureStream : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(renderer.IsValid()) << renderer.Error().toStdString();
        ASSERT_EQ(doc.Open(TourPath()), ReadOutcome::Ok);
    }
    BitmapPixels Whole(int width, int height)
    {
        BitmapPixels pixels;
        EXPECT_TRUE(renderer.Render(TourScene(doc, width, height), width, height, pixels));
        return pixels;
    }

    OffscreenRenderer renderer;
    CVeltrix2Doc doc;
};

// A picture larger than one framebuffer is drawn strip by strip into the
// very pixels it has when drawn whole, whichever order its file wants the
// rows in; the last strip may be shorter.
TEST_F(PictureStream, StripsMakeTheWholePicture)
{
    const int width = 333, height = 250;   // rows padded to 4 bytes in a .bmp
    const BitmapPixels whole = Whole(width, height);
    renderer.SetStripPixels(qint64(width) * 37);
    BitmapPixels strips;
    ASSERT_TRUE(renderer.Render(TourScene(doc, width, height), width, height, strips));
    EXPECT_EQ(strips.rows, whole.rows);

    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(renderer.Render(TourScene(doc, width, height), width, height, *PngRows(png)));
    QImage read;
    ASSERT_TRUE(read.loadFromData(png.data(), "PNG"));
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB888), ToImage(whole)) << "top-down rows, strip by strip";

    QImage printed;
    ASSERT_TRUE(renderer.Render(TourScene(doc, width, height), width, height, *ImageRows(printed)));
    EXPECT_EQ(printed, ToImage(whole)) << "the picture a printed page shows";
}

TEST_F(PictureStream, FilesWrittenRowByRowHoldThePicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const BitmapPixels whole = Whole(322, 201);
    QString error;
    ASSERT_TRUE(WriteRenderedPicture(dir.filePath("a.bmp"), renderer, TourScene(doc, 322, 201), 322, 201, &error))
        << error.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.filePath("a.bmp")), BitmapFileBytes(whole)) << "the bytes Export BMP writes";

    for (const char *name : {"a.png", "a.jpg"}) {
        ASSERT_TRUE(WriteRenderedPicture(dir.filePath(name), renderer, TourScene(doc, 322, 201), 322, 201, &error))
            << error.toStdString();
        const QImage read(dir.filePath(name));
        ASSERT_EQ(read.size(), QSize(322, 201)) << name;
        if (QByteArray(name) == "a.png") {
            EXPECT_EQ(read.convertToFormat(QImage::Format_RGB888), ToImage(whole));
        }
    }
    // The pixels of the view written as PNG go the same way.
    ASSERT_TRUE(WritePictureFile(dir.filePath("b.png"), whole, &error));
    EXPECT_EQ(QImage(dir.filePath("b.png")).convertToFormat(QImage::Format_RGB888), ToImage(whole));
}

// A file that cannot be written says so, and leaves nothing behind.
TEST_F(PictureStream, AFailedWriteIsReportedAsOne)
{
    QString error;
    EXPECT_FALSE(WriteRenderedPicture(QStringLiteral("/nonexistent-folder/a.png"), renderer,
                                      TourScene(doc, 64, 48), 64, 48, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("a.png"))) << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("rendered"))) << "nothing wrong with the drawing";

    // A sink that gives up half way stops the rendering, with a message.
    class Failing : public PictureRows {
    public:
        Layout RowLayout() const override { return {}; }
        bool Begin(int, int) override { return true; }
        bool Rows(const uchar *, int, qsizetype) override { return ++calls < 2; }
        bool End() override { return true; }
        int calls = 0;
    } failing;
    renderer.SetStripPixels(64 * 10);
    EXPECT_FALSE(renderer.Render(TourScene(doc, 64, 48), 64, 48, failing));
    EXPECT_EQ(failing.calls, 2) << "no strip drawn after the failure";
    EXPECT_FALSE(renderer.Error().isEmpty());
}

} // namespace
