#include "res/string_table.h"

QString loadString(int)
{
    return QString();
}
