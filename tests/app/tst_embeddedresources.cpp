// What the program carries inside it: the packet, the pictures, and no font, for the window face
// is the system's, found through fontconfig.
#include <QDirIterator>
#include <QFile>
#include <QTest>

namespace {

// The first four bytes of each font format: TrueType, Apple's TrueType, OpenType with CFF
// outlines, font collections, and the two web formats.
const QList<QByteArray> fontSignatures = {
    QByteArray("\x00\x01\x00\x00", 4), QByteArrayLiteral("true"), QByteArrayLiteral("OTTO"),
    QByteArrayLiteral("ttcf"),         QByteArrayLiteral("wOFF"), QByteArrayLiteral("wOF2")};

} // namespace

class EmbeddedResourcesTest final : public QObject
{
    Q_OBJECT

private slots:
    void noResourceIsAFont();
};

void EmbeddedResourcesTest::noResourceIsAFont()
{
    QStringList walked;
    QDirIterator resources(u":/"_qs, QDir::Files, QDirIterator::Subdirectories);
    while (resources.hasNext()) {
        const QString path = resources.next();
        QFile resource(path);
        QVERIFY2(resource.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray head = resource.read(4);
        QVERIFY2(!fontSignatures.contains(head), qPrintable(path + u" is a font"_qs));
        walked.append(path);
    }
    // The walk saw the program's own resources, so it looked where a font would have been.
    for (const QString &own :
         {u":/data/hirelings.packet"_qs, u":/about/logo.bmp"_qs, u":/icons/hirelings.png"_qs})
        QVERIFY2(walked.contains(own), qPrintable(own + u" was not found"_qs));
}

QTEST_MAIN(EmbeddedResourcesTest)
#include "tst_embeddedresources.moc"
