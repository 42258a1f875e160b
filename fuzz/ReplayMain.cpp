// The fuzz targets without libFuzzer: every input of the folders or files
// given goes through the target's LLVMFuzzerTestOneInput, as in a fuzz run,
// and each must finish within a time bound. The tests replay the seed corpus
// and every input that once crashed or hung.
//
//   <name>_replay [--bound-ms N] FOLDER|FILE...
//
// A folder that does not exist holds no inputs; when no input is found at
// all, the replay fails, so a lost corpus is not taken for a pass.
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

QStringList InputsOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return {path};
    QStringList inputs;
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        inputs << dir.filePath(name);
    return inputs;
}

}  // namespace

int main(int argc, char** argv)
{
    qint64 boundMs = 2000;
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--bound-ms") && i + 1 < argc)
            boundMs = QString::fromLocal8Bit(argv[++i]).toLongLong();
        else
            inputs << InputsOf(arg);
    }
    int slow = 0;
    for (const QString& input : inputs) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(input));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        QElapsedTimer timer;
        timer.start();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        const qint64 ms = timer.elapsed();
        if (ms > boundMs) {
            std::fprintf(stderr, "%s: %lld ms, beyond the bound of %lld ms\n", qPrintable(input),
                         static_cast<long long>(ms), static_cast<long long>(boundMs));
            ++slow;
        }
    }
    std::printf("%lld inputs replayed, %d beyond %lld ms\n", static_cast<long long>(inputs.size()), slow,
                static_cast<long long>(boundMs));
    return inputs.isEmpty() || slow > 0 ? 1 : 0;
}
