// The result of the last place, label, street or bus-route search, which the
// renderer marks on the map.
#pragma once

#include <QString>
#include <vector>

struct SearchState {
    int m_bSearchResult = 0;   // a place or label search result is on show
    QString m_strSearchName;   // the name the search was made with
    int m_nFoundCategory = -1;
    int m_bPetrolResult = 0;
    int m_bAtmResult = 0;
    QString m_strFoundLabel;   // caption and name of the single place found
    int m_bStreetPending = 0;  // the next close-up of the street list selects a street
    int m_bBusPending = 0;     // … or a bus route
    // WAY records of the selected street, from element 0. The list grows so a
    // street of many records keeps every record selected.
    std::vector<int> m_selectedWays;
    int m_nSelectedWays = 0;
    // BUS records of the selected bus route, from element 1.
    std::vector<int> m_selectedBus;
    int m_nSelectedBus = 0;
};
