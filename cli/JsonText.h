#pragma once

#include <QList>
#include <QString>

#include <utility>

// JSON written by hand: members keep the order given, which QJsonObject would sort, and
// amounts keep their two decimals, which QJsonValue's doubles would drop.
using JsonMembers = QList<std::pair<QString, QString>>;

QString jsonString(const QString& text);
QString jsonObject(const JsonMembers& members);
QString jsonArray(const QList<QString>& values);
QString jsonBool(bool value);
// An amount in euros with its two decimals.
QString jsonEuros(double euros);
