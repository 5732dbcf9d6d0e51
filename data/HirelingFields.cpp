// The 26 fields of the hireling record, in record order, with their kinds, sizes and labels.
#include "HirelingFields.h"

namespace {

FieldDefinition field(const char16_t *name, FieldKind kind, int size, const char16_t *label)
{
    const bool number = kind == FieldKind::SmallInt || kind == FieldKind::Money;
    return {QString::fromUtf16(name), kind, size, QString::fromUtf16(label),
            number ? Qt::AlignRight : Qt::AlignLeft};
}

QList<FieldDefinition> makeDefinitions()
{
    using K = FieldKind;
    return {
        field(u"MDName", K::String, 20, u"Наемник"),
        field(u"MDhea", K::SmallInt, 0, u"здр"),
        field(u"MDagi", K::SmallInt, 0, u"пдв"),
        field(u"MDdex", K::SmallInt, 0, u"лов"),
        field(u"MDstr", K::SmallInt, 0, u"сил"),
        field(u"MDldr", K::SmallInt, 0, u"лдр"),
        field(u"MDwis", K::SmallInt, 0, u"мдр"),
        field(u"MDmrk", K::SmallInt, 0, u"мдк"),
        field(u"MDexp", K::SmallInt, 0, u"взр"),
        field(u"MDmec", K::SmallInt, 0, u"мех"),
        field(u"MDmed", K::SmallInt, 0, u"мед"),
        field(u"MDlvl", K::SmallInt, 0, u"урв"),
        field(u"MDCost1", K::Money, 0, u"1 д"),
        field(u"MDCost7", K::Money, 0, u"7 д"),
        field(u"MDCost15", K::Money, 0, u"14 д"),
        field(u"MDchr", K::String, 20, u"Характер"),
        field(u"MDdeposit", K::Money, 0, u"Страховка"),
        field(u"MDtools", K::String, 100, u"Оборудование"),
        field(u"MDcurtools", K::Money, 0, u"Стоим. оборуд."),
        field(u"MDAlias", K::String, 50, u"Клички"),
        field(u"MDspec", K::String, 50, u"Специальность"),
        field(u"MDFrends", K::String, 50, u""),
        field(u"MDNoFrends", K::String, 50, u""),
        field(u"MDType", K::SmallInt, 0, u""),
        field(u"MDmemo", K::Memo, 0, u"Досье"),
        field(u"MDpic", K::Blob, 0, u"Фото"),
    };
}

} // namespace

namespace HirelingFields {

const QList<FieldDefinition> &definitions()
{
    static const QList<FieldDefinition> all = makeDefinitions();
    return all;
}

const FieldDefinition &definition(HirelingField field)
{
    return definitions().at(field);
}

} // namespace HirelingFields
