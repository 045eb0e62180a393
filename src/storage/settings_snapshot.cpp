#include "storage/settings_snapshot.h"

#include <QColor>
#include <QDataStream>
#include <QFile>
#include <QSet>

namespace {

bool isKeyChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Printable ASCII that the settings layer takes literally in a value; the rest may quote, separate, comment,
// escape or change what the value means.
bool isPlainValueChar(char c) {
    return c >= ' ' && c <= '~' && c != '"' && c != ',' && c != ';' && c != '=' && c != '%' && c != '@' &&
           c != '\\';
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// "GROUP" of a "[GROUP]" line; empty when the line is no plain group line. Keys outside any group and the
// group "General", which the settings layer reads as no group, are left to it.
QString groupOf(const char *begin, const char *end) {
    if (end - begin < 3 || *begin != '[' || end[-1] != ']')
        return QString();
    for (const char *c = begin + 1; c < end - 1; ++c) {
        if (!isKeyChar(*c))
            return QString();
    }
    const QString group = QString::fromLatin1(begin + 1, int(end - begin - 2));
    return group.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0 ? QString() : group;
}

// Writes a key as the settings layer names it after "GROUP/" in whole: "sub\\key" and "sub/key" are both
// "sub/key". False when it is not plain: other characters, or a separator at an end or doubled, which the
// layer would fold away.
bool putKey(const char *begin, const char *end, int groupLength, QByteArray &whole) {
    if (begin == end)
        return false;
    whole.resize(groupLength + int(end - begin));
    char *out = whole.data() + groupLength;
    bool separator = true; // a key may not start with one
    for (const char *c = begin; c < end; ++c) {
        const bool isSeparator = *c == '\\' || *c == '/';
        if (isSeparator ? separator : !isKeyChar(*c))
            return false;
        separator = isSeparator;
        *out++ = isSeparator ? '/' : *c;
    }
    return !separator;
}

int simpleEscape(char c) {
    switch (c) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    case '"':
        return '"';
    case '\\':
        return '\\';
    default:
        return -1;
    }
}

// The bytes of "@Variant(...)" with its escapes undone: a letter escape ("\n", "\\", ...), "\x" and one or
// two hex digits, or "\" and one to three octal digits give one byte. The settings layer escapes a digit that
// follows a number escape, so a number escape followed by one more digit of its kind, or above a byte, is
// not of its writing and is left to it; so is any other character or escape.
bool unescapeBlob(const char *begin, const char *end, QByteArray &out) {
    out.reserve(int(end - begin));
    for (const char *c = begin; c < end;) {
        if (*c != '\\') {
            if (!isPlainValueChar(*c) && *c != '@' && *c != '%')
                return false;
            out += *c++;
            continue;
        }
        if (++c == end)
            return false;
        const int simple = simpleEscape(*c);
        if (simple >= 0) {
            out += char(simple);
            ++c;
            continue;
        }
        const bool hex = *c == 'x';
        c += hex ? 1 : 0;
        const int maxDigits = hex ? 2 : 3;
        int code = 0;
        int digits = 0;
        for (; c < end && (hex ? isHexDigit(*c) : (*c >= '0' && *c <= '7')); ++c, ++digits) {
            if (digits == maxDigits)
                return false;
            code = code * (hex ? 16 : 8) + (hex ? hexValue(*c) : *c - '0');
        }
        if (digits == 0 || code > 0xFF)
            return false;
        out += char(code);
    }
    return true;
}

// The value of one line; invalid when it is not in the plain form.
QVariant valueOf(const char *begin, const char *end) {
    if (begin != end && (*begin == ' ' || end[-1] == ' '))
        return QVariant();
    static const QByteArray kVariant("@Variant(");
    if (end - begin > kVariant.size() && QByteArray::fromRawData(begin, kVariant.size()) == kVariant) {
        if (end[-1] != ')')
            return QVariant();
        QByteArray blob;
        if (!unescapeBlob(begin + kVariant.size(), end - 1, blob))
            return QVariant();
        QDataStream stream(blob);
        stream.setVersion(QDataStream::Qt_4_0);
        QVariant decoded;
        stream >> decoded;
        // Only colours are stored this way; another type, or bytes left over, is for the settings layer.
        if (stream.status() != QDataStream::Ok || !stream.atEnd() || decoded.userType() != QMetaType::QColor)
            return QVariant();
        return decoded;
    }
    for (const char *c = begin; c < end; ++c) {
        if (!isPlainValueChar(*c))
            return QVariant();
    }
    return QVariant(QString::fromLatin1(begin, int(end - begin)));
}

} // namespace

bool SettingsSnapshot::read(const QString &path) {
    m_values.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    m_values.reserve(bytes.count('\n') + 1);
    // "GROUP/" of the group the lines belong to; a key line appends its key to it.
    QByteArray whole;
    QSet<QString> groupsSeen;
    int groupLength = 0;
    const char *c = bytes.constData();
    const char *const last = c + bytes.size();
    while (c < last) {
        const char *lineEnd = static_cast<const char *>(memchr(c, '\n', std::size_t(last - c)));
        const char *next = lineEnd ? lineEnd + 1 : last;
        if (!lineEnd)
            lineEnd = last;
        if (lineEnd > c && lineEnd[-1] == '\r')
            --lineEnd;
        if (lineEnd == c) {
            c = next;
            continue;
        }
        if (*c == '[') {
            const QString group = groupOf(c, lineEnd);
            if (group.isEmpty() || groupsSeen.contains(group))
                return false;
            groupsSeen.insert(group);
            whole = group.toLatin1() + '/';
            groupLength = int(whole.size());
        } else {
            const char *equals = static_cast<const char *>(memchr(c, '=', std::size_t(lineEnd - c)));
            if (!equals || groupLength == 0)
                return false;
            if (!putKey(c, equals, groupLength, whole))
                return false;
            QVariant value = valueOf(equals + 1, lineEnd);
            const auto count = m_values.size();
            if (!value.isValid())
                return false;
            m_values.insert(QString::fromLatin1(whole), std::move(value));
            if (m_values.size() == count) // the key came before
                return false;
        }
        c = next;
    }
    return true;
}
