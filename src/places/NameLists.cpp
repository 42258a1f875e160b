#include "places/NameLists.h"

#include <algorithm>

QStringList StreetListNames(const std::vector<QString>& wayNames, int last)
{
    QStringList names;
    for (int i = 0; i <= last; ++i) {
        if (i == 0 || (wayNames[i] != wayNames[i - 1] && !wayNames[i].isEmpty()))
            names.append(wayNames[i]);
    }
    return names;
}

QStringList ListedNames(const QStringList& names)
{
    QStringList listed;
    for (const QString& name : names) {
        const auto beginsWithName = [&](const QString& entry) { return entry.startsWith(name, Qt::CaseInsensitive); };
        if (!name.isEmpty() && std::none_of(listed.begin(), listed.end(), beginsWithName))
            listed.append(name);
    }
    return listed;
}

QStringList NameRange(const std::vector<QString>& names, int first, int last)
{
    QStringList range;
    for (int i = std::max(first, 0); i <= last && i < static_cast<int>(names.size()); ++i)
        range.append(names[i]);
    return range;
}
