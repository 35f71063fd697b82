#include "chosen_list.h"

#include <algorithm>

namespace daxo::localities {

void MigrationLists::clear()
{
    conditions.clear();
    codes.clear();
    descriptions.clear();
}

bool ChosenList::contains(const std::string& code) const { return std::ranges::find(codes_, code) != codes_.end(); }

void ChosenList::select(int index) { selected_ = index >= 0 && index < size() ? index : -1; }

void ChosenList::append(std::string text, std::string code)
{
    texts_.push_back(std::move(text));
    codes_.push_back(std::move(code));
}

void ChosenList::appendNew(std::string text, std::string code)
{
    if (contains(code))
        throw LocalityRefusal(kAlreadyChosen);
    append(std::move(text), std::move(code));
}

bool ChosenList::removeSelected(bool migration)
{
    if (selected_ < 0)
        throw LocalityRefusal(kSelectOne);
    const int removed = selected_;
    texts_.erase(texts_.begin() + removed);
    codes_.erase(codes_.begin() + removed);
    selected_ = -1;
    if (!migration)
        return false;
    if (texts_.empty())
        return true;
    if (removed == 0)
        texts_.front() += kOriginMark;
    return false;
}

void ChosenList::clear()
{
    texts_.clear();
    codes_.clear();
    selected_ = -1;
}

} // namespace daxo::localities
