// The definition of one field of a record: name, kind, size, label and alignment.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <Qt>

enum class FieldKind {
    String, // Windows-1251 text of at most `size` characters
    SmallInt, // 16-bit signed integer
    Money, // double holding whole currency units
    Memo, // bytes holding text (here RTF)
    Blob, // bytes (here a bitmap file)
};

struct FieldDefinition
{
    QString name;
    FieldKind kind = FieldKind::String;
    int size = 0; // characters for strings, 0 for the other kinds
    QString label; // empty when the field has no display label of its own
    Qt::Alignment alignment = Qt::AlignLeft;

    // The label, or the name where no label is set.
    [[nodiscard]] QString displayLabel() const { return label.isEmpty() ? name : label; }
    [[nodiscard]] bool isComparable() const
    {
        return kind == FieldKind::String || kind == FieldKind::SmallInt ||
               kind == FieldKind::Money;
    }

    friend bool operator==(const FieldDefinition &, const FieldDefinition &) = default;
};

// The position of the field of that name among `fields`, letter case ignored; -1 when there is
// none.
[[nodiscard]] inline int indexOfField(const QList<FieldDefinition> &fields, QStringView name)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (name.compare(fields[i].name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}
