// The environment page's own rules over the page model (see
// environment_page.h).
#include "ui/environment_page.h"

#include <cstring>
#include <iterator>
#include <memory>

#include "model/printer_data.h"
#include "model/rdf.h"
#include "rules/settings_application.h"
#include "ui/page_rules.h"
#include "ui/user_paper_dialog.h"
#include "session/global_list.h"
#include "snmp/printer_config.h"

namespace {

constexpr uint16_t kEnvironmentColorTemplate = 30005;

// Controls the rules name.
constexpr uint32_t kUseAddress = 30008, kAddress = 30010, kCommunityOverride = 30053, kCommunity = 30054;
constexpr uint32_t kWakeUp = 30012, kMacFirst = 30014, kMacLast = 30019, kWakeDirect = 30020;
constexpr uint32_t kInputUnit = 30026, kFoldLabel = 30029, kFoldUnit = 30030, kDefaultPaperType = 30036;
constexpr uint32_t kLightPaperLabel = 30037, kLightPaper = 30038;
constexpr uint32_t kViews = 30045, kBarcodeFile = 30050;
constexpr uint32_t kFetch = 30051, kRestore = 30052;

// Which view a control of the option area belongs to. The local-area models
// have no paper-support choices; the model option exists on the colour
// models only.
enum ViewRole : uint8_t { kFirstView, kFirstViewNotLocal, kSecondView, kSecondViewColor };
struct ViewRow {
    uint32_t control;
    ViewRole role;
};
const ViewRow kViewRows[] = {
    {30025, kFirstView},         {30026, kFirstView},         {30027, kFirstView},         {30028, kFirstView},
    {30029, kFirstView},         {30030, kFirstView},         {30031, kFirstView},         {30032, kFirstView},
    {30033, kFirstView},         {30034, kFirstView},         {30035, kFirstView},         {30036, kFirstView},
    {30037, kFirstViewNotLocal}, {30038, kFirstViewNotLocal}, {30039, kFirstViewNotLocal}, {30040, kFirstViewNotLocal},
    {30055, kFirstViewNotLocal}, {30056, kFirstViewNotLocal}, {30041, kSecondView},        {30042, kSecondView},
    {30046, kSecondView},        {30047, kSecondView},        {30057, kSecondView},        {30058, kSecondView},
    {30061, kSecondView},        {30062, kSecondView},        {30059, kSecondViewColor},   {30060, kSecondViewColor},
};

// The output unit combo's items: with a finisher the model offers the
// finisher's configurations, the local-area models finisher B's.
const IdTableRow kOutputUnitsPlain[] = {{20198, 0},  {20204, 20}, {20205, 21},
                                        {20470, 22}, {20490, 23}, {20986, 24}};
const IdTableRow kOutputUnitsFinisher[] = {{20198, 0},  {20204, 20}, {20205, 21}, {20847, 43}, {20846, 42},
                                           {20845, 41}, {20844, 40}, {20470, 22}, {20490, 23}, {20986, 24}};
const IdTableRow kOutputUnitsFinisherLocal[] = {{20198, 0},  {20204, 20}, {20205, 21}, {20849, 51}, {20848, 50},
                                                {20845, 41}, {20844, 40}, {20470, 22}, {20490, 23}, {20986, 24}};

// Item value = base + 2 * (1 - sub) + (1 - fold) for the two finishers.
struct FinisherItem {
    uint8_t unit;
    uint32_t base;
};
const FinisherItem kFinisherItems[] = {{25, 40}, {26, 50}};

// A restriction of the model description: 0 disables (clearing a check box,
// resetting a combo to its first item), 2 hides, other values leave the
// controls alone.
struct ModelRestriction {
    size_t flag;  // offset in RdfInfo
    uint32_t control[2];
};
const ModelRestriction kModelRestrictions[] = {
    {offsetof(RdfInfo, PrinterOnAnotherNetworkEnable), {kWakeDirect, 0}},
    {offsetof(RdfInfo, FoldUnit_OptionEnable), {kFoldLabel, kFoldUnit}},
    {offsetof(RdfInfo, LightPaperEnable), {kLightPaperLabel, kLightPaper}},
    {offsetof(RdfInfo, BarcodeAreaFileEnable), {kBarcodeFile, 0}},
};

void SetEnabled(PageState& page, uint32_t id, int enabled) {
    if (ControlState* c = FindControl(page, id)) c->enabled = enabled;
}

int IsFinisherItem(uint32_t value) {
    return value == 25 || value == 26 || (value >= 40 && value <= 43) || (value >= 50 && value <= 53);
}

// A combo's choice reset to its first item, written through.
void ResetToFirst(PrinterSession& s, ControlState& c) {
    if (c.itemCount == 0) return;
    c.selected = 0;
    c.value = c.item[0].value;
    WriteControlValue(s, c.id, c.value);
}

void SelectValue(ControlState& c, uint32_t value) {
    c.selected = -1;
    for (int i = 0; i < c.itemCount; i++)
        if (c.item[i].value == value) c.selected = i;
}

// The model's list, keeping the items whose stored unit the engine offered
// in the list the refresh filled.
void FillOutputUnits(ControlState& c, const PrinterEnvironment& env, const RdfInfo* model) {
    const IdTableRow* rows = kOutputUnitsPlain;
    int count = static_cast<int>(std::size(kOutputUnitsPlain));
    if (model && model->FinisherSupportEnable != 0 && model->FinisherSupportEnable != 2) {
        rows = env.localArea ? kOutputUnitsFinisherLocal : kOutputUnitsFinisher;
        count = static_cast<int>(std::size(kOutputUnitsFinisher));
    }
    PageItem offered[kPageItemRoom];
    int offeredCount = c.itemCount;
    std::memcpy(offered, c.item, sizeof(PageItem) * static_cast<size_t>(offeredCount));
    int wasEnabled = c.enabled;
    c.itemCount = 0;
    for (int i = 0; i < count; i++) {
        uint32_t unit = OutputUnitOfItem(rows[i].value);
        for (int k = 0; k < offeredCount; k++)
            if (offered[k].value == unit) {
                c.item[c.itemCount++] = PageItem{rows[i].value, rows[i].stringId, kItemString};
                break;
            }
    }
    SelectValue(c, OutputUnitItemValue(env));
    c.enabled = wasEnabled && c.itemCount >= 2;
}

// A choice the engine no longer offers: the input unit falls back to none,
// the default paper type to the first type offered.
void KeepOfferedChoice(PrinterSession& s, ControlState* c, int toFirst) {
    if (!c || c->selected >= 0 || c->itemCount == 0) return;
    if (toFirst) {
        ResetToFirst(s, *c);
        return;
    }
    WriteControlValue(s, c->id, 0);
    c->value = 0;
    SelectValue(*c, 0);
}

void ShowMacParts(const PrinterEnvironment& env, PageState& page) {
    for (uint32_t id = kMacFirst; id <= kMacLast; id++) {
        ControlState* c = FindControl(page, id);
        if (!c) continue;
        char16_t part[kMacPartChars];
        ReadMacAddressPart(env, MacAddressPart(id), part);
        std::memcpy(c->text, part, sizeof part);
    }
}

void ApplyViews(const PrinterEnvironment& env, int view, PageState& page) {
    const bool color = env.modelColor == '3';
    for (const ViewRow& r : kViewRows) {
        ControlState* c = FindControl(page, r.control);
        if (!c) continue;
        switch (r.role) {
        case kFirstView: c->visible = view == 0; break;
        case kFirstViewNotLocal: c->visible = view == 0 && !env.localArea; break;
        case kSecondView: c->visible = view == 1; break;
        case kSecondViewColor: c->visible = view == 1 && color; break;
        }
    }
    if (ControlState* bar = FindControl(page, kViews)) bar->value = static_cast<uint32_t>(view);
}

void ApplyModelRestrictions(PrinterSession& s, const RdfInfo& model, PageState& page) {
    for (const ModelRestriction& r : kModelRestrictions) {
        uint8_t flag = reinterpret_cast<const uint8_t*>(&model)[r.flag];
        if (flag != 0 && flag != 2) continue;
        for (uint32_t id : r.control) {
            ControlState* c = id ? FindControl(page, id) : nullptr;
            if (!c) continue;
            if (flag == 2) {
                c->visible = 0;
                continue;
            }
            c->enabled = 0;
            if (c->kind == kCheckControl && c->value) {
                c->checked = 0;
                c->value = 0;
                WriteControlValue(s, c->id, 0);
            } else if (c->kind == kComboControl && c->selected != 0) {
                ResetToFirst(s, *c);
            }
        }
    }
}

}  // namespace

int IsEnvironmentPage(uint16_t templateId) {
    return templateId == kEnvironmentLayout || templateId == kEnvironmentColorTemplate;
}

uint32_t OutputUnitOfItem(uint32_t value) {
    for (const FinisherItem& f : kFinisherItems)
        if (value >= f.base && value <= f.base + 3) return f.unit;
    return value;
}

uint32_t OutputUnitItemValue(const PrinterEnvironment& env) {
    for (const FinisherItem& f : kFinisherItems)
        if (env.outputUnit_Option == f.unit)
            return f.base + 2u * (env.outputSubOption ? 0u : 1u) + (env.foldUnit_Option ? 0u : 1u);
    return env.outputUnit_Option;
}

void WriteOutputUnitItem(PrinterEnvironment& env, uint32_t value) {
    for (const FinisherItem& f : kFinisherItems)
        if (value >= f.base && value <= f.base + 3) {
            uint32_t k = value - f.base;
            env.outputUnit_Option = f.unit;
            env.outputSubOption = k < 2 ? 1 : 0;
            env.foldUnit_Option = (k & 1) ? 0 : 1;
            return;
        }
    env.outputUnit_Option = static_cast<uint8_t>(value);
    env.outputSubOption = 0;
}

int MacAddressPart(uint32_t control) {
    return control >= kMacFirst && control <= kMacLast ? static_cast<int>(control - kMacFirst) + 1 : 0;
}

void ReadMacAddressPart(const PrinterEnvironment& env, int part, char16_t out[kMacPartChars]) {
    std::memset(out, 0, sizeof(char16_t) * kMacPartChars);
    const int n = static_cast<int>(sizeof env.macAddress / sizeof(char16_t));
    int at = 1, k = 0;
    for (int i = 0; i < n && env.macAddress[i]; i++) {
        char16_t ch = env.macAddress[i];
        if (ch == u':') {
            if (++at > 6) return;
            continue;
        }
        if (at == part && k < kMacPartChars - 1) out[k++] = ch;
    }
}

void WriteMacAddressPart(PrinterEnvironment& env, int part, const char16_t* text) {
    char16_t parts[6][kMacPartChars];
    for (int p = 1; p <= 6; p++) ReadMacAddressPart(env, p, parts[p - 1]);
    if (part >= 1 && part <= 6) {
        std::memset(parts[part - 1], 0, sizeof parts[part - 1]);
        for (int k = 0; text && k < kMacPartChars - 1 && text[k]; k++) parts[part - 1][k] = text[k];
    }
    char16_t mac[sizeof env.macAddress / sizeof(char16_t)] = {};
    int n = 0;
    for (int p = 0; p < 6; p++) {
        if (p) mac[n++] = u':';
        const char16_t* t = parts[p][0] ? parts[p] : u"00";
        for (int k = 0; t[k]; k++) mac[n++] = t[k];
    }
    std::memcpy(env.macAddress, mac, sizeof mac);  // packed record: the field may sit unaligned
}

int KeepCommunityChars(char16_t* text, int* caret) {
    static const char16_t kPunctuation[] = u",./:;@[\\]^_";
    int kept = 0, dropped = 0;
    const int at = caret ? *caret : 0;
    for (int i = 0; text && text[i]; i++) {
        char16_t ch = text[i];
        bool ok = (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z');
        for (int k = 0; !ok && kPunctuation[k]; k++) ok = ch == kPunctuation[k];
        if (ok) {
            text[kept++] = ch;
            continue;
        }
        dropped = 1;
        if (caret && i < at) --*caret;
    }
    if (text) text[kept] = 0;
    return dropped;
}

int ScrolledView(int view, int request, int thumb) {
    switch (request) {
    case 0:
    case 2: view -= 1; break;
    case 1:
    case 3: view += 1; break;
    case 4:
    case 5: view = thumb; break;
    case 6: view = 0; break;
    case 7: view = 1; break;
    default: break;
    }
    return view <= 0 ? 0 : 1;
}

void EnvironmentPageRules(const PageInput& in, PageState& page) {
    PrinterSession& s = *in.session;
    const PrinterEnvironment& env = s.env;
    const int view = page.view == 1 ? 1 : 0;
    auto ctx = std::make_unique<RdfContext>();
    const RdfInfo* model = in.printer && LoadRdfContext(ctx.get(), in.printer) ? &ctx->info : nullptr;

    if (ControlState* c = FindControl(page, kOutputUnitControl)) FillOutputUnits(*c, env, model);
    KeepOfferedChoice(s, FindControl(page, kInputUnit), 0);
    KeepOfferedChoice(s, FindControl(page, kDefaultPaperType), 1);
    ShowMacParts(env, page);
    ApplyViews(env, view, page);

    // The fold unit belongs to a finisher.
    if (ControlState* fold = FindControl(page, kFoldUnit); fold && view == 0 && !IsFinisherItem(OutputUnitItemValue(env))) {
        fold->enabled = 0;
        SetEnabled(page, kFoldLabel, 0);
        if (fold->value != 0) {
            WriteControlValue(s, kFoldUnit, 0);
            fold->value = 0;
        }
        SelectValue(*fold, 0);
    }

    // The network fields follow their check boxes.
    SetEnabled(page, kAddress, env.useTypedAddress != 0);
    SetEnabled(page, kCommunity, env.communityOverride != 0);
    for (uint32_t id = kMacFirst; id <= kMacLast; id++) SetEnabled(page, id, env.wakeUpEnable != 0);
    SetEnabled(page, kWakeDirect, env.wakeUpEnable != 0);

    if (model) ApplyModelRestrictions(s, *model, page);
    ReleaseRdfContext(ctx.get());

    if (!in.facts.canAdminister)
        for (int i = 0; i < page.controlCount; i++) page.control[i].enabled = 0;
}

EnvironmentButtonResult PressEnvironmentButton(PageInput& in, uint32_t control) {
    EnvironmentButtonResult r = {};
    if (!in.session || (control != kFetch && control != kRestore)) return r;
    r.handled = 1;
    PrinterEnvironment& env = in.session->env;
    if (control == kRestore) {
        ResetEnvironment(in.session, in.printer, 1);
        in.last = LastChange{0, 0};
        r.changed = 1;
        return r;
    }
    if (!WakeUpPrinter(in.printer, in.session)) {
        r.messageId = kFetchFailedTextId;
        return r;
    }
    const int options = GetDeviceOptions(in.printer, &env);
    auto papers = std::make_unique<RegisteredPaperSize[]>(kRegisteredPaperRows);
    uint32_t paperCount = 0;
    const int all = options && GetStorageFolders(in.printer, &env) &&
                    GetRegisteredPaperSizes(in.printer, &env, papers.get(), &paperCount);
    if (!all) r.messageId = kFetchFailedTextId;
    if (all) {
        GetPressPaperSupport(in.printer, &env);
        auto names = std::make_unique<UserPaperNames>();
        LoadPaperNames(in.printer, names.get());
        RegisterFetchedPapers(in.printer, names.get(), papers.get(), paperCount);
    }
    if (options) {
        in.last = LastChange{0, 0};
        r.changed = 1;
    }
    return r;
}

void ApplyEnvironmentPage(PageInput& in, const char16_t* printerName) {
    if (!in.session) return;
    PrinterEnvironment& env = in.session->env;
    char16_t community[sizeof env.snmpCommunityName / sizeof(char16_t)];
    std::memcpy(community, env.snmpCommunityName, sizeof community);
    community[std::size(community) - 1] = 0;
    if (in.printer) SetSnmpCommunityName(in.printer, community);
    InitGlobalList(in.session, printerName, 0);
    ApplyDeviceRestrictions(in.session, in.printer);
    HostTime t = Sys().LocalTime();
    SystemTime16 stamp = {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds};
    std::memcpy(&env.timeStamp, &stamp, sizeof stamp);
}
