#include "platform/fileorder.h"

#include <algorithm>
#include <vector>

void FileOrder::sort(QStringList &names)
{
    // Each key is made once, not once per comparison.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(std::size_t(names.size()));
    for (QString &name : names)
        keyed.emplace_back(key(name), std::move(name));
    std::sort(keyed.begin(), keyed.end(),
              [](const auto &a, const auto &b) { return lessThan(a.first, a.second, b.first, b.second); });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[std::size_t(i)].second);
}
