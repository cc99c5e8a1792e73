#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "session/IniFile.h"

namespace {

using session::IniFile;

QString u(const char* s) { return QString::fromUtf8(s); }

QByteArray readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

unsigned modeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 0777;
}

TEST(IniFile, WritesKeysLiterallyAsUtf8AndReadsThemBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ayar.ini");
    IniFile ini;
    EXPECT_FALSE(ini.load(path));
    ini.writeString("kullanici", "isim", u("ÇAĞRI"));
    ini.writeString("kullanici", "sifre", u("ŞİFRE1"));
    ini.writeBool("kullanici", u("hatırla"), false);
    ASSERT_TRUE(ini.save(path));

    EXPECT_EQ(readAll(path), u("[kullanici]\nisim=ÇAĞRI\nsifre=ŞİFRE1\nhatırla=0\n").toUtf8());
    IniFile back;
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(back.readString("kullanici", "isim", ""), u("ÇAĞRI"));
    EXPECT_EQ(back.readString("kullanici", "sifre", ""), u("ŞİFRE1"));
    EXPECT_FALSE(back.readBool("kullanici", u("hatırla"), true));
}

TEST(IniFile, ReadsAFileWrittenByHand) {
    // A Windows editor's file: byte-order mark, CRLF, comments, blanks around "=", quotes, another
    // section, names in other case.
    IniFile ini;
    ini.parse(QByteArray("\xEF\xBB\xBF; Korvel\r\n[Genel]\r\nisim=BASKA\r\n\r\n[KULLANICI]\r\n  ISIM = ALİ  \r\n"
                         "sifre=\"GİZLİ 1\"\r\nhatırla = 1\r\n"));
    EXPECT_EQ(ini.readString("kullanici", "isim", "-"), u("ALİ"));
    EXPECT_EQ(ini.readString("kullanici", "sifre", "-"), u("GİZLİ 1"));
    EXPECT_TRUE(ini.readBool("kullanici", u("hatırla"), false));
    EXPECT_EQ(ini.readString("kullanici", "yok", "-"), u("-"));
    EXPECT_EQ(ini.readString("yok", "isim", "-"), u("-"));
}

TEST(IniFile, ReadsTheTurkishCodePageAndUtf16) {
    // "[kullanici]\nisim=IŞIK\nhatırla=0" in windows-1254: Ş = 0xDE, ı = 0xFD.
    IniFile ansi;
    ansi.parse(QByteArray("[kullanici]\r\nisim=I\xDEIK\r\nhat\xFDrla=0\r\n"));
    EXPECT_EQ(ansi.readString("kullanici", "isim", ""), u("IŞIK"));
    EXPECT_FALSE(ansi.readBool("kullanici", u("hatırla"), true));

    const QString text = u("[kullanici]\r\nisim=ÖZGÜR\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    IniFile wide;
    wide.parse(utf16);
    EXPECT_EQ(wide.readString("kullanici", "isim", ""), u("ÖZGÜR"));
}

TEST(IniFile, BooleanValuesAsTheProfileFunctionsReadThem) {
    struct Case {
        const char* line;
        bool fallback;
        bool expected;
    };
    const Case cases[] = {
        {"hatırla=1", false, true},  {"hatırla=0", true, false},   {"hatırla=2", false, true},
        {"hatırla=-1", false, true}, {"hatırla=true", false, false}, {"hatırla=evet", true, true},
        {"hatırla=", true, true},    {"", true, true},              {"", false, false},
    };
    for (const Case& c : cases) {
        IniFile ini;
        ini.parse(QByteArray("[kullanici]\n") + c.line + "\n");
        EXPECT_EQ(ini.readBool("kullanici", u("hatırla"), c.fallback), c.expected) << c.line;
    }
}

TEST(IniFile, UpdatingKeepsTheRestOfTheFileAsItWas) {
    IniFile ini;
    const QByteArray original("; elle yazıldı\r\n[kullanici]\r\nisim = ESKİ\r\nhatırla=1\r\n\r\n[diger]\r\nx=1\r\n");
    ini.parse(original);
    ini.writeString("kullanici", "isim", u("YENİ"));
    ini.writeString("kullanici", "sifre", u("S"));
    ini.writeBool("kullanici", u("hatırla"), true);  // same value: the line stays as written
    EXPECT_EQ(QString::fromUtf8(ini.serialize()),
              u("; elle yazıldı\r\n[kullanici]\r\nisim=YENİ\r\nhatırla=1\r\nsifre=S\r\n\r\n[diger]\r\nx=1\r\n"));

    // A line break in a value cannot start a new entry.
    ini.writeString("kullanici", "sifre", u("A\nsifre=B"));
    IniFile back;
    back.parse(ini.serialize());
    EXPECT_EQ(back.readString("kullanici", "sifre", ""), u("A sifre=B"));
}

TEST(IniFile, TheFileIsReadableByItsOwnerOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ayar.ini");
    IniFile ini;
    ini.writeString("kullanici", "sifre", u("GİZLİ"));
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(modeOf(path), 0600u);

    // An existing file open to everyone is replaced by an owner-only one.
    writeAll(path, "[kullanici]\nisim=A\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    ASSERT_TRUE(ini.load(path));
    ini.writeString("kullanici", "sifre", u("YENİ"));
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(readAll(path), u("[kullanici]\nisim=A\nsifre=YENİ\n").toUtf8());
    // No temporary file is left next to it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ayar.ini"});
}

TEST(IniFile, SavingIntoAMissingFolderFailsWithAReason) {
    QTemporaryDir dir;
    IniFile ini;
    ini.writeString("kullanici", "isim", "A");
    QString error;
    EXPECT_FALSE(ini.save(dir.filePath("yok/ayar.ini"), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
