// The form every portrait must have: a 48 x 43, 24-bit, bottom-up bitmap file of 6,246 bytes.
#pragma once

#include <QByteArrayView>
#include <QStringList>

class PortraitRules final
{
public:
    // What is wrong with one portrait's bytes; empty when nothing is.
    [[nodiscard]] static QStringList check(QByteArrayView bitmap);
};
