#pragma once
// A settings file in the profile format: "[section]" lines, then "key=value" lines. Keys and
// section names are kept literally as UTF-8 (so "hatırla" stays "hatırla"), compared without
// regard to case; values are read trimmed, without surrounding quotes. Lines starting with ";"
// and everything the reader does not understand are kept as they are when the file is written
// back. Files written by hand in UTF-8 (with or without a byte-order mark), UTF-16 with a mark,
// or the Turkish Windows code page are read.
//
// save() replaces the file atomically with one readable and writable by its owner only (0600),
// whatever the mode of the file it replaces.

#include <QByteArray>
#include <QString>
#include <vector>

namespace session {

class IniFile final {
public:
    IniFile() = default;

    // Reads the file; false (and an empty file) when it does not exist or cannot be read.
    bool load(const QString& path);
    void parse(const QByteArray& bytes);
    QByteArray serialize() const;
    // Writes the file (0600). False with the reason in *error when it cannot be written.
    bool save(const QString& path, QString* error = nullptr) const;

    bool hasKey(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // An integer value other than 0 is true; a value that is not an integer gives the fallback.
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeBool(const QString& section, const QString& key, bool value);  // "1" or "0"

private:
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        QString text;  // the section name or key; for Other the whole line
        QString value; // Entry only
        QString raw;   // the line as read
        bool verbatim = false;  // written back as read (the entry did not change)
    };
    // Index of the section's header line, or -1.
    int findSection(const QString& section) const;
    // Index of the key's line inside the section starting at header, or -1.
    int findEntry(int header, const QString& key) const;

    std::vector<Line> lines_;
    bool crlf_ = false;
    bool bom_ = false;
};

}  // namespace session
