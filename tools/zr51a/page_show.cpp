// zr51a page show: what a property page shows for a printer of the model
// with its default settings, one line per control, as the page model works
// it out (no window involved), in the resource module's English words.
#include <cstdio>
#include <cstdlib>

#include "ui/page_model.h"
#include "zr51a.h"

namespace {
const char kUsage[] =
    "zr51a page show --model FILE.RDF [--section NAME] [--env FILE] PAGE\n"
    "  Prints each control of PAGE (a template id such as 30200, or a page name such as BASIC)\n"
    "  for a printer of the model with its default settings: kind, enabled, value, selection, items.\n";
const OptionSpec kOptions[] = {{"--model", nullptr, 1}, {"--section", nullptr, 1}, {"--env", nullptr, 1},
                               {"--help", "-h", 0}};
}  // namespace

int PageShow(int argc, char** argv) {
    Args args;
    if (int done = ParseSubcommand(argc, argv, kOptions, 4, kUsage, &args); done >= 0) return done;
    if (!args.Has("--model")) return UsageError("page show needs --model FILE.RDF", kUsage);
    if (args.positional.size() != 1) return UsageError("page show takes one PAGE", kUsage);
    const std::string& name = args.positional[0];
    char* end = nullptr;
    unsigned long id = std::strtoul(name.c_str(), &end, 10);
    const PageRow* page = end && *end == 0 && id <= 0xFFFF ? FindPageRow(static_cast<uint16_t>(id))
                                                           : FindPageRowByName(name.c_str());
    if (!page) return Refuse("no page '" + name + "'");

    std::string why;
    ModelPrinter printer;
    // The resource module's English words, as a sheet in English shows them.
    for (int i = 0; i < kStringTextRowCount; i++)
        printer.fake.host.strings[kStringTextRows[i].id] = U16(kStringTextRows[i].english);
    if (!SetUpModelPrinter(&printer, args.Get("--model"), args.Get("--section"), args.Get("--env"), &why))
        return Refuse(why);
    auto session = std::make_unique<PrinterSession>();
    if (!ResolveForPrinter(nullptr, session.get())) return Refuse("the driver could not resolve the settings");
    // The printer stays open: pages read its model description and data.
    PrinterHandle h = nullptr;
    if (!Spool().OpenPrinter(kToolPrinter, kPrinterAccessUse, &h)) return Refuse("the printer could not be opened");
    PageInput in{session.get(), h, SheetFacts{1, 1, 1, 0}, LastChange{0, 0}, nullptr};
    auto state = std::make_unique<PageState>();
    int shown = RefreshPage(page->templateId, in, *state);
    Spool().ClosePrinter(h);
    if (!shown) return Refuse("the page could not be refreshed");
    std::fputs(PageStateText(*state, *session).c_str(), stdout);
    return kExitOk;
}
