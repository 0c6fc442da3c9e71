// Input: the bytes of "etikor.ini". Reading any file must give settings (defaults for what it
// cannot read) without a crash or an exception. For one input in 32 (writing is slow: every
// value is a file replacement) the settings are also written back and read again: what a
// write leaves must read as the same settings the next time round.

#include "document/Settings.h"
#include "support/FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
bool same(const etikor::TSettings& a, const etikor::TSettings& b) {
    return a.Utolso == b.Utolso && a.Page == b.Page && a.Security == b.Security && a.AutoChd == b.AutoChd &&
           a.AutoBetu == b.AutoBetu && a.AutoVonal == b.AutoVonal && a.AutoAdatforras == b.AutoAdatforras &&
           a.AutoOrsina == b.AutoOrsina && a.AutoSugo == b.AutoSugo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::unique_ptr<QTemporaryDir> folder = std::make_unique<QTemporaryDir>();
    etikor::fuzz::Require(folder->isValid(), "settings file", "no temporary folder");
    const etikor::TSettingsFile file(folder->path(), folder->path());
    {
        QFile ini(file.Path());
        etikor::fuzz::Require(ini.open(QIODevice::WriteOnly | QIODevice::Truncate), "settings file",
                              "cannot write the input");
        ini.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const etikor::TSettings read = file.Read();
    if (size % 32 == 0) {
        file.Write(read);
        const etikor::TSettings once = file.Read();
        file.Write(once);
        etikor::fuzz::Require(same(file.Read(), once), "settings file",
                              "a written file reads differently the second time");
    }
    return 0;
}
