#include "Form_globals.h"

#include <utility>
#include <vector>

namespace forms {

namespace {

std::vector<std::function<void()>>& destroyers() {
    static std::vector<std::function<void()>> list;
    return list;
}

} // namespace

void keepUntilDestroyed(std::function<void()> destroy) {
    destroyers().push_back(std::move(destroy));
}

void destroyAll() {
    auto& list = destroyers();
    while (!list.empty()) {
        const std::function<void()> destroy = std::move(list.back());
        list.pop_back();
        destroy();
    }
}

} // namespace forms
