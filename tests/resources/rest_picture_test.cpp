// The picture that wanders over the rest screen.

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <QTemporaryDir>

#include "resource_files.h"

namespace {

const QString kPicture = QString::fromStdString(vz::test::ResourcePath("rest_picture.png"));

TEST(RestPicture, Is120By60PixelsWithNoTransparency) {
    const QImage picture(kPicture);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(120, 60));
    EXPECT_FALSE(picture.hasAlphaChannel());
}

TEST(RestPicture, IsAPictureNotAFlatFill) {
    const QImage picture(kPicture);
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 50);
}

TEST(RestPicture, GeneratorReproducesItPixelForPixel) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("rest.png"));
    ASSERT_TRUE(vz::test::RunTool(VZ_GEN_REST_PICTURE, out.toStdString()));
    EXPECT_EQ(QImage(out), QImage(kPicture));
}

}  // namespace
