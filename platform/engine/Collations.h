// The two text collations of the statement layer, registered on every connection:
// ZELMAR_NOCASE (equal when equal after folding Latin A-Z and Cyrillic А-Я to lower case, the
// folding of LowerCaseRu) and ZELMAR_ORDER (Russian alphabetical order, letter case aside, Ё and ё
// beside Е; equal keys tie, and the caller breaks ties by table order).
#pragma once

struct sqlite3;

class Collations {
public:
    static int registerOn(sqlite3* db);
};
