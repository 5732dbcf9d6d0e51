// libFuzzer target for the dossier RTF reader: any bytes give a document or an error, no crash.
#include "RtfReader.h"

#include <QByteArrayView>
#include <QString>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    QTextDocument document;
    const std::optional<QString> error = RtfReader::read(input, document);

    // An error must say where it is and must leave nothing half read behind.
    if (error && (!error->contains(QLatin1StringView(" at offset ")) || !document.isEmpty()))
        std::abort();
    // Every character shown costs at least one byte of input; more would be text made up. The
    // document counts one paragraph separator that no input stands for.
    if (!error && document.characterCount() - 1 > input.size())
        std::abort();
    if (RtfReader::plainText(input).size() > input.size())
        std::abort();
    return 0;
}
