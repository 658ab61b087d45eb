// The model's papers registered as printer forms at installation.
#include "session/model_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_platform.h"

namespace {

// stringId: the name is "paper <stringId>"; width, height: thousandths of a millimetre.
struct WantForm { uint32_t stringId; int32_t width, height; };

// modelPapers: empty: the model lists none; missingNames: string ids the resource module lacks; existingForms: string
// ids of forms already there; want: forms added, in order.
struct FormsCase { const char* what; std::vector<uint32_t> modelPapers; std::vector<uint32_t> missingNames;
                   std::vector<uint32_t> existingForms; std::vector<WantForm> want; };

std::u16string NameOf(uint32_t id) {
    std::string s = "paper " + std::to_string(id);
    return std::u16string(s.begin(), s.end());
}

const FormsCase kCases[] = {
    {"model's list: its papers above 256 the table knows",
     {9, 264, 4242, 256, 266},
     {},
     {},
     {{20546, 270000, 390000}, {20837, 233000, 296000}}},
    {"a paper whose name does not load is left out", {264, 265}, {20546}, {}, {{20547, 195000, 270000}}},
    {"a form that exists is refused, the next still added", {264, 265}, {}, {20546}, {{20547, 195000, 270000}}},
};

class ModelForms : public ::testing::TestWithParam<FormsCase> {};

TEST_P(ModelForms, RegisteredAsTheModelDescribesThem) {
    const FormsCase& c = GetParam();
    FakePlatformScope fake;
    FakePrinter* printer = &fake.spooler.AddPrinter(u"P1");
    for (int i = 0; i < kBuiltinPaperCount; i++) {
        uint32_t id = kBuiltinPapers[i].stringId;
        fake.host.strings[id] = NameOf(id);
    }
    for (uint32_t id : c.missingNames) fake.host.strings.erase(id);
    for (uint32_t id : c.existingForms) printer->forms.push_back({1, NameOf(id), 1, 1, 0, 0, 1, 1});
    ModelListInfo model;
    model.present = 1;
    model.paperCount = static_cast<int>(c.modelPapers.size());
    for (size_t i = 0; i < c.modelPapers.size(); i++) model.paperIds[i] = c.modelPapers[i];

    PrinterHandle h = nullptr;
    ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessAdminister, &h));
    EXPECT_EQ(static_cast<int>(c.want.size()), RegisterModelForms(h, &model, 0x0411)) << c.what;
    fake.spooler.ClosePrinter(h);

    ASSERT_EQ(c.existingForms.size() + c.want.size(), printer->forms.size()) << c.what;
    for (size_t i = 0; i < c.want.size(); i++) {
        const FormInfo& f = printer->forms[c.existingForms.size() + i];
        const WantForm& w = c.want[i];
        EXPECT_EQ(NameOf(w.stringId), f.name) << c.what;
        EXPECT_EQ((std::vector<int64_t>{kFormFlagPrinter, w.width, w.height, 0, 0, w.width, w.height}),
                  (std::vector<int64_t>{f.flags, f.width, f.height, f.left, f.top, f.right, f.bottom}))
            << c.what;
    }
}

void PrintTo(const FormsCase& c, std::ostream* os) { *os << c.what; }

INSTANTIATE_TEST_SUITE_P(Table, ModelForms, ::testing::ValuesIn(kCases));

// Without a model description the whole table is offered, as with an empty list.
TEST(ModelFormsAbsent, NoModelInformationOffersTheWholeTable) {
    FakePlatformScope fake;
    FakePrinter* printer = &fake.spooler.AddPrinter(u"P1");
    fake.host.strings[20546] = u"8K";
    PrinterHandle h = nullptr;
    ASSERT_EQ(1, fake.spooler.OpenPrinter(u"P1", kPrinterAccessAdminister, &h));
    EXPECT_EQ(1, RegisterModelForms(h, nullptr, 0x0409));
    fake.spooler.ClosePrinter(h);
    ASSERT_EQ(1u, printer->forms.size());
    EXPECT_EQ(u"8K", printer->forms[0].name);
}

}  // namespace
