// libFuzzer harness: the input is a settings file. Every read must return without crashing, and
// a write must leave every other line of the file byte for byte as it was; a save of many keys and
// sections in one pass must end as the single changes would, and a batch refused in part must
// change nothing; a file in UTF-8 stays in UTF-8; and the same bytes read as an imported fee
// schedule give a name the settings file can hold.
#include "IniDocument.h"
#include "IniLineChanges.h"
#include "IniStore.h"
#include "ScheduleFile.h"
#include "ScheduleNames.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// Each write syncs the file to disk; in memory-backed /dev/shm that costs nothing.
const QTemporaryDir& workDirectory()
{
    static const QTemporaryDir directory(QDir(u"/dev/shm"_s).exists()
                                             ? u"/dev/shm/ini_fuzz-XXXXXX"_s
                                             : QDir::tempPath() + u"/ini_fuzz-XXXXXX"_s);
    return directory;
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Decoded independently of the store's own check.
bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

[[noreturn]] void fail(const char* what, const QByteArray& detail)
{
    std::fprintf(stderr, "ini_reader_fuzz: %s %s\n", what, detail.constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::array<QString, 5> sections = {u"Vantrelle"_s, u"VANTRELLE"_s, u"a"_s, u"[a"_s,
                                                    u"Réglages"_s};
    static const std::array<QString, 6> keys = {u"C"_s,  u"t1"_s,  u"k"_s,
                                                u"#k"_s, u"été"_s, u"Mini"_s};
    static const std::array<QString, 4> values = {u"F"_s, QString(), u"a=b ;c"_s,
                                                  QString(300, u'z')};

    const QString path = workDirectory().filePath(u"vantrelle.ini"_s);
    const QByteArray before(reinterpret_cast<const char*>(data), qsizetype(size));

    if (const std::optional<ImportedSchedule> imported =
            readScheduleFile(before, u"import.ini"_s, false)) {
        if (nameProblem(imported->name, {}))
            fail("imported name the file cannot hold:", imported->name.toUtf8());
    }
    const QList<IniSectionEdit> edits{
        {u"Vantrelle"_s, false, {{u"F1"_s, u"2"_s}, {u"Barème"_s, u"b"_s}, {u"k"_s, QString()}}},
        {u"Barème: a"_s, true, {{u"F1"_s, u"1"_s}}},
        {u"a"_s, true, {}},
    };
    IniDocument onePass = IniDocument::fromFileBytes(before);
    IniDocument oneByOne = IniDocument::fromFileBytes(before);
    onePass.applyEdits(edits);
    oneByOne.applyEditsOneByOne(edits);
    if (onePass.bytes() != oneByOne.bytes())
        fail("one pass differs from the single changes", {});
    QList<IniSectionEdit> refusedInPart = edits;
    refusedInPart[1].entries.append({u"F2"_s, u"a\nb"_s});
    IniDocument untouched = IniDocument::fromFileBytes(before);
    if (untouched.applyEdits(refusedInPart).allStored || untouched.bytes() != before)
        fail("a batch refused in part changed the file", {});
    // A file of ASCII alone stays in the code page: only one with more is held to UTF-8.
    const bool utf8 = std::any_of(before.begin(), before.end(), [](char c) { return c & 0x80; }) &&
                      !before.startsWith("\xFF\xFE") && !before.startsWith("\xFE\xFF") &&
                      isUtf8(before);
    if (utf8 && !isUtf8(onePass.bytes()))
        fail("a UTF-8 file written in another encoding", {});
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(before) != before.size())
            fail("cannot prepare the input file", path.toUtf8());
    }

    const IniStore store(path);
    for (const QString& section : sections) {
        for (const QString& key : keys)
            store.Lire_Ini(section, key);
    }

    const std::size_t pick = qHash(before);
    const QString& section = sections[pick % sections.size()];
    const QString& key = keys[(pick / sections.size()) % keys.size()];
    const QString& value = values[(pick / sections.size() / keys.size()) % values.size()];
    const bool stored = store.Ecrire_Ini(section, key, value);
    const QByteArray after = contentsOf(path);

    const bool utf16 = before.startsWith("\xFF\xFE") || before.startsWith("\xFE\xFF");
    if (!stored) {
        if (!utf16)
            fail("write refused", key.toUtf8());
        if (after != before)
            fail("refused write changed the file", {});
        return 0;
    }
    if (utf8 && !isUtf8(after))
        fail("a UTF-8 file written in another encoding:", key.toUtf8());
    const QString problem = IniLineChanges::problem(before, after, value.toLatin1());
    if (!problem.isEmpty())
        fail("write touched other lines:", problem.toUtf8());
    if (store.Lire_Ini(section, key) != value.left(254))
        fail("written value not read back", key.toUtf8());
    return 0;
}
