#include "presets/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace sonavel {

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), &::closedir);
    if (!listing) return names;
    while (const dirent* entry = ::readdir(listing.get())) {
        struct stat info{};
        if (::fnmatch(pattern.c_str(), entry->d_name, FNM_PERIOD) == 0 &&
            ::fstatat(::dirfd(listing.get()), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(entry->d_name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = ::strcasecmp(a.c_str(), b.c_str());
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

}  // namespace sonavel
