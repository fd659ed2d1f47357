#include "JsonText.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

QString jsonString(const QString& text)
{
    QString quoted = u"\""_s;
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            quoted += u"\\"_s + c;
        else if (c == u'\n')
            quoted += u"\\n"_s;
        else if (c.unicode() < 0x20)
            quoted += u"\\u%1"_s.arg(uint(c.unicode()), 4, 16, QChar(u'0'));
        else
            quoted += c;
    }
    return quoted + u'"';
}

QString jsonObject(const JsonMembers& members)
{
    QStringList written;
    for (const auto& [key, value] : members)
        written << jsonString(key) + u':' + value;
    return u"{"_s + written.join(u',') + u'}';
}

QString jsonArray(const QList<QString>& values)
{
    return u"["_s + QStringList(values).join(u',') + u']';
}

QString jsonBool(bool value)
{
    return value ? u"true"_s : u"false"_s;
}

QString jsonEuros(double euros)
{
    return QString::number(euros, 'f', 2);
}
