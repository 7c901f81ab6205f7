// The program state: the one instance of the program's own global data, living for the whole run.
// Everything else lives in the windows and the ledger tables.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The article list: every known article name with its price, as the add-goods window offers them.
// The entry at position `count` is always empty; the lists grow as needed.
struct ArticleList {
    QStringList names;
    QStringList prices;
    int count = 0;

    void clear();
    void append(const QString& name, const QString& price);
    QString name(int position) const { return position < names.size() ? names.at(position) : QString(); }
    QString price(int position) const { return position < prices.size() ? prices.at(position) : QString(); }
};

// The held-goods list: the current agent's goods lines (name, price and count as text).
// The entry at position `count` is always empty; the lists grow as needed.
struct HeldGoodsList {
    QStringList names;
    QStringList prices;
    QStringList counts;
    int count = 0;

    void clear();
    void append(const QString& name, const QString& price, const QString& goodsCount);
    QString name(int position) const { return position < names.size() ? names.at(position) : QString(); }
    QString price(int position) const { return position < prices.size() ? prices.at(position) : QString(); }
    QString goodsCount(int position) const { return position < counts.size() ? counts.at(position) : QString(); }
};

struct ProgramState {
    QString programFolder; // the folder of the running program, ending in '/'
    QVector<int> agentIds; // agent id of each position of the main window's agent list
    QVector<int> receiverIds; // agent id of each position of the transfer window's receiver list
    QString laborRate;
    QString percent;
    QString cl1, cl2, cl3, cl4, cl5, cl6;
    QString backupDays;
    QString cardMode; // "add" or "update"
    QString countMode; // "true" (recount) or "false" (return to the owner)
    QString undoDescription;
    ArticleList articles;
    HeldGoodsList heldGoods;
};

ProgramState& State();
