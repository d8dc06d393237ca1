#pragma once
// The string table: texts by their numeric id.
#include <QString>

QString loadString(int id);  // empty when the id is unknown
