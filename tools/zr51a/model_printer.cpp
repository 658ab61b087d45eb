// A printer of a given model in the in-memory spooler, as installation
// leaves it: the model file parsed and stored, the environment filled from
// the model (or taken from a file), the factory settings stored as its
// DEVMODE. The driver's own resolution then runs against it.
#include <cstring>

#include "rules/resolve.h"
#include "model/rdf.h"
#include "rules/settings_application.h"
#include "zr51a.h"

// The first section of the file with a ModelCode key: the model's own.
std::string FindModelSection(const std::vector<uint8_t>& text, const std::u16string& path) {
    std::string t(text.begin(), text.end());
    size_t pos = 0;
    while (pos < t.size()) {
        size_t end = t.find('\n', pos);
        std::string line = t.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? t.size() : end + 1;
        size_t a = line.find('['), b = line.find(']');
        if (a != 0 || b == std::string::npos) continue;
        std::string name = line.substr(1, b - 1);
        char16_t value[32] = {};
        if (ReadRdfText(path.c_str(), U16(name).c_str(), u"ModelCode", value, 32) > 0 && value[0]) return name;
    }
    return "";
}

int SetUpModelPrinter(ModelPrinter* mp, const std::string& modelPath, const std::string& section,
                      const std::string& envPath, std::string* why) {
    std::vector<uint8_t> text;
    if (!ReadWholeFile(modelPath, &text, why)) return 0;
    const std::u16string path16 = U16(modelPath);
    std::string model = section.empty() ? FindModelSection(text, path16) : section;
    if (model.empty()) {
        *why = modelPath + ": no model section (a section with a ModelCode key) in the model file";
        return 0;
    }
    mp->modelPath = modelPath;
    mp->section = model;

    mp->fake.spooler.AddPrinter(kToolPrinter);
    auto stored = std::make_unique<PrinterSession>();
    if (_UdcResolveSelfDMode(stored.get(), nullptr, nullptr, kToolPrinter, nullptr, kResolveWholeSession,
                             kCallerConvert) != 1) {
        *why = "out of memory";
        return 0;
    }
    const std::u16string section16 = U16(model);
    auto ctx = std::make_unique<RdfContext>();
    std::memset(ctx.get(), 0, sizeof *ctx);
    ctx->RdfFile = const_cast<char16_t*>(path16.c_str());
    ctx->DeviceName = const_cast<char16_t*>(section16.c_str());
    ctx->PrinterName = const_cast<char16_t*>(kToolPrinter);
    if (!ReadRdfFile(ctx.get())) {
        *why = modelPath + ": section [RDF format version]: Version missing or above 100, not a model file";
        return 0;
    }
    if (ctx->info.ModelCode == 0) {
        *why = modelPath + ": section [" + model + "]: no ModelCode";
        return 0;
    }
    SaveRdfContext(ctx.get());
    ApplyRdfDefaults(&stored->env, &ctx->info);
    stored->env.lightPaperSupport = ctx->info.LightPaperEnable;
    if (!envPath.empty()) {
        std::vector<uint8_t> env;
        if (!ReadWholeFile(envPath, &env, why)) return 0;
        if (LooksLikeRegExport(env)) {
            std::vector<uint8_t> file;
            file.swap(env);
            if (!ReadRegExportValue(file, envPath, "PrvEnv", &env, why)) return 0;
        }
        if (env.size() != sizeof(PrinterEnvironment)) {
            *why = envPath + ": " + std::to_string(env.size()) + " bytes: a printer environment record has " +
                   std::to_string(sizeof(PrinterEnvironment));
            return 0;
        }
        std::memcpy(&stored->env, env.data(), env.size());
    }
    // The printer's stored settings are made for its model, as installation
    // makes them: the factory record of this environment.
    ResetPrivateSettings(stored.get(), nullptr, 0);
    stored->env.listsBuilt = 0;
    FakePrinter* p = mp->fake.spooler.Printer(kToolPrinter);
    const uint8_t* dm = reinterpret_cast<const uint8_t*>(&stored->dm);
    p->info.devMode.assign(dm, dm + sizeof stored->dm);
    p->Set(u"PrvEnv", kRegBinary, &stored->env, sizeof stored->env);
    return 1;
}

int ResolveForPrinter(const std::vector<uint8_t>* input, PrinterSession* session) {
    PrinterHandle h = nullptr;
    if (!Spool().OpenPrinter(kToolPrinter, kPrinterAccessUse, &h)) return 0;
    // The driver trusts a caller's buffer to hold dmSize + dmDriverExtra
    // bytes, as the spooler's callers guarantee; a file may claim more than
    // it has, so the input lies in a zeroed buffer that holds whatever its
    // header claims, with room to spare.
    std::vector<uint8_t> padded;
    if (input) {
        size_t claimed = 0;
        if (input->size() >= offsetof(PublicDevMode, dmFields)) {
            uint16_t size, extra;
            std::memcpy(&size, input->data() + offsetof(PublicDevMode, dmSize), 2);
            std::memcpy(&extra, input->data() + offsetof(PublicDevMode, dmDriverExtra), 2);
            claimed = static_cast<size_t>(size) + extra;
        }
        padded.assign((claimed > input->size() ? claimed : input->size()) + sizeof(DriverDevMode) + 512, 0);
        std::memcpy(padded.data(), input->data(), input->size());
    }
    uint32_t flags = kResolveWholeSession | (input ? kResolveInBuffer : 0);
    uint32_t ok = _UdcResolveSelfDMode(session, input ? padded.data() : nullptr, h, kToolPrinter, nullptr, flags,
                                       kCallerConvert);
    Spool().ClosePrinter(h);
    return ok == 1;
}
