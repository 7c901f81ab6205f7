#include "store/ProgramState.h"

void ArticleList::clear() {
    names.clear();
    prices.clear();
    count = 0;
}

void ArticleList::append(const QString& name, const QString& price) {
    names.append(name);
    prices.append(price);
    ++count;
}

void HeldGoodsList::clear() {
    names.clear();
    prices.clear();
    counts.clear();
    count = 0;
}

void HeldGoodsList::append(const QString& name, const QString& price, const QString& goodsCount) {
    names.append(name);
    prices.append(price);
    counts.append(goodsCount);
    ++count;
}

ProgramState& State() {
    static ProgramState state;
    return state;
}
