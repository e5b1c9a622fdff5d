// Disk images and packed files through the orvel-convert executable: the list, each picture
// converted below -o under a safe name and exactly as the same picture on its own converts, a
// damaged image converting what it can with a line a fault and status 1, no write outside -o.
#include "ConvertTestSupport.h"
#include "formats/ImageWriters.h"

namespace {

QByteArray Bytes(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

TEST(ConvertImages, ListAndConvertThePicturesOfDiskImages) {
    const PictureDir files;
    std::string dos = samples::dos33();
    dos.replace((17 * 16 + 15) * 256 + 1, 2, "\x11\x0F"); // the catalog leads back to itself
    dos.replace(18 * 16 * 256 + 0x16, 2, "\x03\x10");     // TITLE.PIC: a sector off the disk
    ASSERT_TRUE(WriteFile(files.path("pics.po"), Bytes(samples::prodos(280))) &&
                WriteFile(files.path("dos.dsk"), Bytes(dos)) &&
                QDir(files.path(".")).mkdir("out") && QDir(files.path(".")).mkdir("elsewhere") &&
                QFile::link("../elsewhere", files.path("out/PICS")));
    QString listed;
    for (const writers::ProdosFile& picture : samples::listed(samples::prodosFiles()))
        listed += QString::fromStdString(picture.path + "\t" + picture.kind + "\n");
    const ProcessRun list = RunExecutable({"--list", "pics.po"}, files.dir.path());
    EXPECT_EQ(std::make_pair(list.status, list.out), std::make_pair(0, listed));
    const ProcessRun damaged =
        RunExecutable({"--list", "dos.dsk", "picture.hgr"}, files.dir.path());
    EXPECT_EQ(std::make_pair(damaged.status, damaged.out.count('\n')),
              std::make_pair(1, qsizetype{4}));
    EXPECT_EQ(damaged.errorLines,
              QStringList({"orvel-convert: dos.dsk: the catalog loops back to track 17, sector 15",
                           "orvel-convert: picture.hgr: not a disk image"}));

    // out/PICS leads elsewhere: those pictures are refused, not written through the link.
    const ProcessRun run = RunExecutable({"-o", "out", "pics.po", "dos.dsk"}, files.dir.path());
    EXPECT_EQ(
        std::make_pair(run.status, run.errorLines.filter("Cannot make the folder out/PICS").size()),
        std::make_pair(1, qsizetype{5}));
    EXPECT_TRUE(run.errorLines.contains("orvel-convert: dos.dsk: TITLE.PIC: its track/sector list "
                                        "points outside the disk (track 3, sector 16)"));
    EXPECT_EQ(files.entries("elsewhere"), QStringList());
    const std::pair<QString, std::string> written[] = {
        {"A_B.png", samples::hgr},           {"PICS", ""},
        {"SAVED_SHORT.png", samples::holes}, {"SHORTFOT.png", samples::holes},
        {"TITLE.png", samples::hgr},         {"_...png", samples::dhgr}};
    QStringList names;
    for (const auto& [name, picture] : written) {
        names << name;
        const QString raw = files.path(picture.size() == 16384 ? "raw.dgr" : "raw.hgr");
        if (picture.empty() || !WriteFile(raw, Bytes(picture))) continue;
        EXPECT_EQ(QImage(files.path("out/" + name)).convertToFormat(QImage::Format_RGB32),
                  ConvertToImage({"-o", files.path("raw.png"), raw}))
            << name.toStdString();
    }
    EXPECT_EQ(files.entries("out"), names);
    EXPECT_EQ(
        RunExecutable({"--format", "hgr", "-o", "elsewhere", "pics.po"}, files.dir.path()).status,
        0);
    EXPECT_EQ(ReadFile(files.path("elsewhere/PICS/DOUBLE.hgr")), Bytes(samples::dhgr.substr(8192)));
}
