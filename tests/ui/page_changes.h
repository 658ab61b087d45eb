// Shared by the page tests: a zeroed session, a control looked up by id, the
// printer's name lists, and the driver of a table of changes, each answered
// Yes and then No when it asks.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/page_model.h"

using Writes = std::vector<std::pair<uint32_t, uint32_t>>;  // (control, value)

inline std::unique_ptr<PrinterSession> ZeroSession() {
    auto s = std::make_unique<PrinterSession>();
    std::memset(s.get(), 0, sizeof *s);
    return s;
}

// A zeroed session whose printer lists these paper sources.
inline std::unique_ptr<PrinterSession> TraySession(const std::vector<uint32_t>& trays) {
    auto s = ZeroSession();
    for (size_t i = 0; i < trays.size(); i++) {
        s->env.trayList[i].name[0] = u'T';  // a named row is a listed tray
        s->env.trayList[i].id = trays[i];
    }
    return s;
}

inline const ControlState& ControlOf(const PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return page.control[i];
    static const ControlState none{};
    return none;
}

// The page or dialog as a refresh leaves it for the session.
inline std::unique_ptr<PageState> Refreshed(uint16_t pageId, PrinterSession& s,
                                            const RetrievalTargets* lists = nullptr) {
    PageInput in{&s, nullptr, {1, 0, 1, 0}, {0, 0}, lists};
    auto page = std::make_unique<PageState>();
    EXPECT_EQ(1, RefreshPage(pageId, in, *page)) << pageId;
    return page;
}

// The printer's lists with names in the slots of one of their name tables.
template <size_t Slots, size_t Units>
std::unique_ptr<RetrievalTargets> NamedLists(char16_t (RetrievalTargets::*table)[Slots][Units],
                                             const std::vector<std::u16string>& names) {
    auto t = std::make_unique<RetrievalTargets>();
    std::memset(t.get(), 0, sizeof *t);
    for (size_t i = 0; i < names.size(); i++)
        for (size_t k = 0; k < names[i].size() && k < Units; k++) ((*t).*table)[i][k] = names[i][k];
    return t;
}

inline std::vector<uint32_t> ItemValues(const ControlState& c) {
    std::vector<uint32_t> values;
    for (int i = 0; i < c.itemCount; i++) values.push_back(c.item[i].value);
    return values;
}

struct ChangeCase {
    const char* what;
    Writes before;
    uint32_t control, value;
    std::vector<uint32_t> asked;  // the names the question lists; empty: written at once
    Writes yes, no;               // after Yes and No (after the write when nothing is asked)
    int setUp = 0;                // for the page's own set-up
};

// The names of a conflict question: those between its fixed parts ("on",
// "now" before them, "after", "go on" behind), the feature's own name first
// when withFeature; every part when withFeature is negative.
inline std::vector<uint32_t> QuestionNames(const PageQuestion& q, int withFeature) {
    if (withFeature < 0) return std::vector<uint32_t>(q.part, q.part + q.partCount);
    std::vector<uint32_t> names(q.part + 3, q.part + q.partCount - 2);
    if (withFeature) names.insert(names.begin(), q.part[0]);
    return names;
}

using AfterChange = std::function<void(const ChangeCase&, PageInput&, const PageQuestion&, int yes)>;

// Runs every case from a fresh session made by make; read gives a control's
// value after the change, after checks what else the page's own rules leave.
inline void CheckChanges(uint16_t pageId, const std::vector<ChangeCase>& cases, int withFeature,
                         const std::function<std::unique_ptr<PrinterSession>(const ChangeCase&)>& make,
                         const std::function<uint32_t(const PrinterSession&, uint32_t)>& read = ReadControlValue,
                         const AfterChange& after = nullptr) {
    for (const ChangeCase& k : cases) {
        for (int yes = 1; yes >= 0; yes--) {
            if (k.asked.empty() && !yes) continue;
            auto s = make(k);
            for (const auto& [control, value] : k.before) WriteControlValue(*s, control, value);
            PageInput in{s.get(), nullptr, {1, 0, 1, 0}, {0, 0}, nullptr};
            PageQuestion q{};
            int r = ChangePageControl(pageId, in, k.control, k.value, &q);
            if (k.asked.empty()) {
                EXPECT_EQ(kChangeWritten, r) << k.what;
            } else {
                ASSERT_EQ(kChangeAsks, r) << k.what;
                EXPECT_EQ(k.asked, QuestionNames(q, withFeature)) << k.what;
                AnswerPageControl(pageId, in, q, yes);
            }
            for (const auto& [control, value] : yes ? k.yes : k.no)
                EXPECT_EQ(value, read(*s, control)) << k.what << (yes ? " yes " : " no ") << control;
            if (after) after(k, in, q, yes);
        }
    }
}
