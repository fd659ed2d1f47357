#pragma once

#include <QByteArray>
#include <QString>

// Checks, independently of the store's own parser, that a write left every line of the file as
// it was except the one key line it wrote: replaced in place with its own terminator, inserted,
// or appended with its section line (the last line then gaining a terminator if it had none).
// Shared by the randomized test and the fuzzer.
namespace IniLineChanges {

// Empty when `after` differs from `before` only that way and the written line ends with
// "=" + `value`; otherwise what went wrong.
QString problem(const QByteArray& before, const QByteArray& after, const QByteArray& value);

} // namespace IniLineChanges
