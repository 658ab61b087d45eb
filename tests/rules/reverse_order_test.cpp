// The reverse-order decision by output tray, finishing and delivery value.
#include <gtest/gtest.h>

#include <vector>

#include "rules/rule_session.h"
#include "rules/settings_application.h"

namespace {

// given: on a fresh record: tray 0, delivery value 1.
struct OrderCase { const char* what; uint8_t unit; std::vector<FieldValue> given; int want; };

const OrderCase kOrderCases[] = {
    {"booklet tray, booklet binding", 25, {{"bookletBinding", 0, 1}}, 1},
    {"booklet tray, mail making", 25, {{"mailMakingSupport", 0, 1}, {"blankPaperCutDown", 0, 1}}, 1},
    {"cut down blank paper", 25, {{"blankPaperCutDown", 0, 1}, {"fold", 0, 2}}, 0},
    {"half fold, two-sided, other direction", 25, {{"fold", 0, 1}, {"direction_Fold", 0, 2}, {"duplexType", 0, 2}}, 1},
    {"half fold, mixed sizes one-sided", 25,
     {{"fold", 0, 1}, {"direction_Fold", 0, 2}, {"mixedSizeSupport", 0, 1}, {"duplexType_MixedSize", 0, 5}}, 0},
    {"tri-fold", 25, {{"fold", 0, 3}}, 1},
    {"stapled", 25, {{"staple", 0, 20}, {"headerValue[4]", 0, 1}}, 0},
    {"offset output on unit 22", 22, {{"offsetOutput", 0, 1}, {"headerValue[4]", 0, 1}}, 1},
    {"punch", 25, {{"punch", 0, 1}}, 1},
    {"punch, delivery 3", 25, {{"punch", 0, 1}, {"headerValue[5]", 0, 3}}, 0},
    {"punch with a front cover", 25, {{"punch", 0, 1}, {"coverSupport", 0, 1}, {"frontCover", 0, 1}}, 0},
    {"plain, delivery 2", 25, {{"headerValue[5]", 0, 2}}, 1},
    {"folder output reads its own delivery", 25, {{"outputMode", 0, 2}, {"headerValue[5]", 0, 2}}, 0},
    {"folder output, delivery 7", 25, {{"outputMode", 0, 2}, {"headerValue[6]", 0, 7}}, 1},
    {"plain without an output unit", 0, {{"headerValue[4]", 0, 1}}, 0},
    {"tray 1", 25, {{"outputTray", 0, 1}, {"bookletBinding", 0, 1}}, 0},
    {"tray 4 face up", 22, {{"outputTray", 0, 4}, {"faceUpDown_OutputTray", 0, 1}}, 1},
    {"tray 5 mail making", 23, {{"outputTray", 0, 5}, {"mailMakingSupport", 0, 1}}, 1},
    {"tray 9", 25, {{"outputTray", 0, 9}, {"faceUpDown_OutputTray", 0, 1}}, 0},
};

TEST(ReverseOrder, ByTrayAndFinishing) {
    for (const OrderCase& c : kOrderCases) {
        RuleSession r;
        r.s->env.outputUnit_Option = c.unit;
        r.p().reverseOrder = 1;
        r.Set(c.given);
        ComputeReverseOrder(r.s.get());
        EXPECT_EQ(c.want, r.p().reverseOrder) << c.what;
    }
}

}  // namespace
