// Times the decoding of a hireling packet next to a plain copy of the same bytes.
#include "EmbeddedPacket.h"
#include "HirelingFields.h"
#include "PacketEncoder.h"
#include "PacketReader.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QtEndian>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int zoltCount = 40;
constexpr int krevCount = 11;
constexpr int hirelingCount = zoltCount + krevCount;
constexpr int repetitions = 501;
constexpr int warmUps = 20;
constexpr int portraitBytes = 6246;
constexpr int shortestMemo = 2000;
constexpr int memoSpread = 1000; // memos of 2 000 to 3 000 bytes
constexpr int skillLimit = 101;
constexpr double wageStep = 50;
constexpr unsigned seed = 20240611;
constexpr qsizetype lengthPrefixSize = sizeof(qint32);
constexpr double nanosecondsPerMicrosecond = 1000.0;
constexpr int aliasLength = 50;
constexpr double targetRatio = 2.0;


FieldValue text(const char *bytes)
{
    return FieldValue::fromBytes(QByteArray(bytes));
}

// 51 rows of the shape the embedded packet has: 40 with every value, 11 with four blank amounts,
// a 6 246-byte portrait and a 2 to 3 KB dossier in each.
QByteArray syntheticPacket()
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> skill(0, skillLimit - 1);
    std::uniform_int_distribution<int> memoExtra(0, memoSpread);
    std::uniform_int_distribution<int> byte(0, std::numeric_limits<quint8>::max());

    std::vector<std::vector<FieldValue>> rows;
    for (int i = 0; i < hirelingCount; ++i) {
        const bool zolt = i < zoltCount;
        std::vector<FieldValue> row(HirelingFieldCount);
        row[MDName] = FieldValue::fromBytes("\xC8\xE2\xE0\xED \xCF\xE5\xF2\xF0\xEE\xE2 " +
                                            QByteArray::number(i));
        for (int field = MDhea; field <= MDlvl; ++field)
            row[field] = FieldValue::fromSmallInt(static_cast<qint16>(skill(random)));
        row[MDCost1] = FieldValue::fromMoney(wageStep * (i + 1));
        if (zolt) {
            row[MDCost7] = FieldValue::fromMoney(wageStep * (i + 1) * 6);
            row[MDCost15] = FieldValue::fromMoney(wageStep * (i + 1) * 11);
            row[MDdeposit] = FieldValue::fromMoney(i % 4 == 0 ? 0 : wageStep * i);
            row[MDcurtools] = FieldValue::fromMoney(wageStep * (i + 10));
        }
        row[MDchr] = text("\xF1\xEF\xEE\xEA\xEE\xE9\xED\xFB\xE9");
        row[MDtools] =
            text("\xCA\xEE\xEB\xFC\xF2, \xE0\xEF\xF2\xE5\xF7\xEA\xE0, \xE1\xF0\xEE\xED\xFF");
        row[MDAlias] = FieldValue::fromBytes(QByteArray(aliasLength, '\xE0'));
        row[MDspec] = text("\xF1\xED\xE0\xE9\xEF\xE5\xF0");
        row[MDFrends] = text("\xED\xE5\xF2");
        row[MDNoFrends] = text("Lynx, Ghost");
        row[MDType] = FieldValue::fromSmallInt(zolt ? 0 : 1);
        QByteArray memo(shortestMemo + memoExtra(random), 'a');
        memo.back() = '\0';
        row[MDmemo] = FieldValue::fromBytes(memo);
        QByteArray portrait(portraitBytes, '\0');
        std::generate(portrait.begin(), portrait.end(), [&] { return char(byte(random)); });
        row[MDpic] = FieldValue::fromBytes(portrait);
        rows.push_back(std::move(row));
    }
    return PacketEncoder::encode(HirelingFields::definitions(), rows);
}

// The embedded packet where the program's assets are linked in, without its length prefix.
QByteArray embeddedPacketBytes()
{
    const QByteArray stored = EmbeddedPacket::storedData();
    if (stored.size() < lengthPrefixSize)
        return {};
    const qint32 length = qFromLittleEndian<qint32>(stored.constData());
    if (length <= 0 || length > stored.size() - lengthPrefixSize)
        return {};
    return stored.mid(lengthPrefixSize, length);
}

qint64 median(std::vector<qint64> &times)
{
    const auto middle = times.begin() + std::ptrdiff_t(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    return *middle;
}

} // namespace

int main()
{
    QTextStream out(stdout);
    QByteArray packet = embeddedPacketBytes();
    const bool embedded = !packet.isEmpty();
    if (!embedded)
        packet = syntheticPacket();
    const std::size_t rows = PacketReader::decode(packet).rows.size();

    // The plain copy goes into a buffer allocated once: the cheapest way to move the bytes, which
    // makes it the strictest yardstick. Copy and decode take turns, so that a change in the load of
    // the machine falls on both alike; a decoded packet is destroyed after its time is taken.
    QByteArray copy(packet.size(), '\0');
    std::vector<qint64> copyTimes;
    std::vector<qint64> decodeTimes;
    copyTimes.reserve(repetitions);
    decodeTimes.reserve(repetitions);
    QElapsedTimer timer;
    for (int run = 0; run < warmUps + repetitions; ++run) {
        timer.start();
        std::memcpy(copy.data(), packet.constData(), std::size_t(packet.size()));
        const qint64 copyTime = timer.nsecsElapsed();

        timer.start();
        const PacketReader::Packet decoded = PacketReader::decode(packet);
        const qint64 decodeTime = timer.nsecsElapsed();
        if (decoded.rows.size() != rows || copy.back() != packet.back())
            return 1;
        if (run >= warmUps) {
            copyTimes.push_back(copyTime);
            decodeTimes.push_back(decodeTime);
        }
    }
    const qint64 copyTime = median(copyTimes);
    const qint64 decodeTime = median(decodeTimes);

    const double ratio = double(decodeTime) / double(std::max<qint64>(copyTime, 1));
    out << "Packet: " << (embedded ? u"embedded"_s : u"synthetic"_s) << ", " << packet.size()
        << " bytes, " << rows << " rows; median of " << repetitions << " runs\n";
    out << "  plain copy: " << double(copyTime) / nanosecondsPerMicrosecond << " us\n";
    out << "  decode:     " << double(decodeTime) / nanosecondsPerMicrosecond << " us\n";
    out << "  ratio:      " << ratio << " (target at most " << targetRatio << ")\n";
    return 0;
}
