// One block of the records file as written: its id and the raw text of each field line.
#pragma once

#include "HirelingFields.h"

#include <QString>

#include <array>
#include <optional>

struct SourceRecord
{
    struct Line
    {
        int number = 0;               // 0 while the block has no line for the field
        std::optional<QString> value; // empty optional for an empty value, which means null
    };

    QString id;
    int line = 0;                                // the line of the "[id]" header
    std::array<Line, HirelingFieldCount> fields; // MDmemo and MDpic stay unset: they are files
};
