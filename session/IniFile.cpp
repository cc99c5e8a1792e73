#include "session/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace session {

namespace {

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString decode(const QByteArray& bytes, bool& bom) {
    bom = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bom = true;
        return QString::fromUtf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16, QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf16(bytes);
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    // Not UTF-8: a file saved by a Windows editor in the Turkish code page.
    QStringDecoder turkish("windows-1254");
    if (turkish.isValid()) return turkish(bytes);
    return QString::fromLatin1(bytes);
}

QString unquote(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

bool IniFile::load(const QString& path) {
    lines_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    parse(file.readAll());
    return true;
}

void IniFile::parse(const QByteArray& bytes) {
    lines_.clear();
    const QString text = decode(bytes, bom_);
    crlf_ = text.contains(QStringLiteral("\r\n"));
    QStringList raw = text.split(QLatin1Char('\n'));
    if (!raw.isEmpty() && raw.back().isEmpty()) raw.removeLast();  // the final line break
    for (QString s : raw) {
        if (s.endsWith(QLatin1Char('\r'))) s.chop(1);
        const QString t = s.trimmed();
        Line line;
        line.raw = s;
        line.verbatim = true;
        if (t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']'))) {
            line.kind = Line::Section;
            line.text = t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
        } else if (!t.startsWith(QLatin1Char(';')) && t.indexOf(QLatin1Char('=')) > 0) {
            const int eq = t.indexOf(QLatin1Char('='));
            line.kind = Line::Entry;
            line.text = t.left(eq).trimmed();
            line.value = t.mid(eq + 1);
        } else {
            line.text = s;
        }
        lines_.push_back(std::move(line));
    }
}

QByteArray IniFile::serialize() const {
    const QString eol = crlf_ ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString out;
    for (const Line& line : lines_) {
        if (line.verbatim) {
            out += line.raw + eol;
            continue;
        }
        switch (line.kind) {
        case Line::Section: out += QLatin1Char('[') + line.text + QLatin1Char(']'); break;
        case Line::Entry: out += line.text + QLatin1Char('=') + line.value; break;
        case Line::Other: out += line.text; break;
        }
        out += eol;
    }
    QByteArray bytes = out.toUtf8();
    if (bom_) bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

bool IniFile::save(const QString& path, QString* error) const {
    const auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QByteArray data = serialize();
    const QFileInfo info(path);
    QByteArray pattern = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(pattern.data());  // created 0600
    if (fd < 0) return fail(QString::fromLocal8Bit(std::strerror(errno)));
    bool ok = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    for (qsizetype done = 0; ok && done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, static_cast<size_t>(data.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else done += n;
    }
    const int savedErrno = errno;
    ok = ok && ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(pattern.constData(), QFile::encodeName(info.absoluteFilePath()).constData()) == 0) return true;
    const QString why = QString::fromLocal8Bit(std::strerror(ok ? errno : savedErrno));
    ::unlink(pattern.constData());
    return fail(why);
}

int IniFile::findSection(const QString& section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Section && sameName(lines_[i].text, section)) return static_cast<int>(i);
    return -1;
}

int IniFile::findEntry(int header, const QString& key) const {
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Section) break;
        if (lines_[i].kind == Line::Entry && sameName(lines_[i].text, key)) return static_cast<int>(i);
    }
    return -1;
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
    const int header = findSection(section);
    return header >= 0 && findEntry(header, key) >= 0;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const {
    const int header = findSection(section);
    const int at = header < 0 ? -1 : findEntry(header, key);
    return at < 0 ? fallback : unquote(lines_[static_cast<std::size_t>(at)].value);
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const {
    const QString text = readString(section, key, QString());
    bool ok = false;
    int value = 0;
    if (text.startsWith(QLatin1Char('$'))) value = text.mid(1).toInt(&ok, 16);
    else if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) value = text.mid(2).toInt(&ok, 16);
    else value = text.toInt(&ok, 10);
    return ok ? value : fallback;
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    // A value keeps one line; line breaks would start new entries.
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    int header = findSection(section);
    if (header < 0) {
        lines_.push_back({Line::Section, section, {}, {}, false});
        lines_.push_back({Line::Entry, key, v, {}, false});
        return;
    }
    const int at = findEntry(header, key);
    if (at >= 0) {
        Line& line = lines_[static_cast<std::size_t>(at)];
        if (!line.verbatim || unquote(line.value) != v) {
            line.value = v;
            line.verbatim = false;
        }
        return;
    }
    // After the section's last entry, before any blank lines or comments that close it.
    std::size_t insertAt = static_cast<std::size_t>(header) + 1;
    for (std::size_t i = insertAt; i < lines_.size() && lines_[i].kind != Line::Section; ++i)
        if (lines_[i].kind == Line::Entry) insertAt = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{Line::Entry, key, v, {}, false});
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace session
