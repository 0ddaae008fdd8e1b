// Turns the full-screen shots of tools/screens.sim into the README's small
// pictures: each cropped to what it shows, the rest screen scaled down, all
// saved as palette PNGs so the repository stays light.
//
// Usage: gen_screens SHOTDIR OUTDIR

#include <QDir>
#include <QImage>
#include <cstdio>

namespace {

struct Picture {
    const char* name;
    QRect crop;  // on the 1920 x 1080 shot
    int width;   // after scaling; 0 keeps the crop's size
};

constexpr Picture kPictures[] = {
    {"banner", {360, 0, 1200, 64}, 0},
    {"banner-not-now", {360, 0, 1200, 64}, 0},
    {"rest", {0, 0, 1920, 1080}, 640},
    {"menu", {1420, 790, 330, 110}, 0},
    {"settings", {777, 477, 366, 126}, 0},
    {"hours", {662, 486, 597, 108}, 0},
    {"about", {773, 415, 374, 250}, 0},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SHOTDIR OUTDIR\n", argv[0]);
        return 2;
    }
    const QDir shots(QString::fromLocal8Bit(argv[1])), out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());
    for (const Picture& p : kPictures) {
        const QString name = QString::fromLatin1(p.name) + ".png";
        QImage image(shots.filePath(name));
        if (image.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(shots.filePath(name)));
            return 1;
        }
        image = image.copy(p.crop).convertToFormat(QImage::Format_RGB32);
        if (p.width) image = image.scaledToWidth(p.width, Qt::SmoothTransformation);
        // A fixed dither keeps the output byte-stable from run to run.
        image = image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither | Qt::PreferDither);
        if (!image.save(out.filePath(name), "PNG", 0)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(name)));
            return 1;
        }
    }
    return 0;
}
