#!/usr/bin/env bash
# The dossier follows the current hireling, and text selected in it and copied reaches the X
# clipboard as Cyrillic: every word of the hireling's dossier file is in it.
# Usage: dossier_copy.sh PROGRAM ASSETS
source "$(dirname "$0")/hirelings_session.sh"

# Dossier words of fewer letters could be found by chance.
readonly shortest_word=4
readonly fewest_words=20
readonly word="[АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя]{$shortest_word,}"

start_hirelings "$1" "$2"

# The grid has the focus at start: End moves to the last record.
press End
last_id=$(records MDName | awk 'END { print $2 }')

# The dossier file's letters of code page 1251 are written as \'hh escapes.
expected=$session_dir/expected-words
perl -pe "s/\\\\'([0-9a-fA-F]{2})/chr(hex(\$1))/ge" "$assets/dossiers/$last_id.rtf" |
    iconv -f CP1251 -t UTF-8 | grep -aoE "$word" | sort -u >"$expected"
[ "$(wc -l <"$expected")" -ge "$fewest_words" ] ||
    fail "the dossier of $last_id has fewer than $fewest_words words to look for"

claim_clipboard
click_client $((dossier_left + dossier_width / 2)) $((dossier_top + dossier_height / 2))
press ctrl+a
press ctrl+c
wait_for 5 clipboard_offers UTF8_STRING || fail "Ctrl+A, Ctrl+C in the dossier copied no text"
copied=$session_dir/copied.txt
xclip -o -selection clipboard -t UTF8_STRING >"$copied"
[ -s "$copied" ] || fail "the copied dossier is empty"

# A change of formatting inside a word splits it in the file, so words are looked for as parts
# of the copied text.
missing=$(awk 'NR == FNR { text = text $0 "\n"; next } index(text, $0) == 0' "$copied" "$expected")
[ -z "$missing" ] || fail "the copied dossier lacks words of $last_id's dossier: $(head -n 5 <<<"$missing" | tr '\n' ' ')"
grep -q "\\\\'" "$copied" && fail "the copied dossier holds raw \\' escapes"
pass "the whole dossier of $last_id was copied as Cyrillic text ($(wc -l <"$expected") words checked)"
exit 0
