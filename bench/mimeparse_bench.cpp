// Parsing whole messages from memory with the message parser and with GMime 3 (the peer: it
// parses, then every leaf part is decoded into a memory stream), in the same run, on three sets:
// the corpus of the tests (the MIME standards' examples and Debian's sample messages) repeated
// to at least 50 MiB, ten messages with one attachment of 1 to 20 MB each (base64 and
// quoted-printable, also timed apart), and a thousand header-heavy messages. Python's email
// package (compat32, every payload decoded) runs on the corpus too. Each time is the median of
// seven runs. Before the timing, the peak memory of parsing one message with a 20 MB base64
// attachment is measured, and on the made-up sets both parsers must give the same attachments,
// byte for byte.

#include <benchmark/benchmark.h>
#include <gmime/gmime.h>
#include <malloc.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "net/base64.h"
#include "net/msmsgcls.h"
#include "platform/core/stream.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kMinimumCorpusBytes = size_t{50} << 20;
constexpr int kRuns = 7;

// --- The sets ---

struct TMessageSet {
    std::string Name;
    std::vector<const std::string*> Messages;
    int Rounds = 1;
    size_t Bytes = 0;                // parsed in one run
    std::vector<std::string> Files;  // for Python; empty where it does not run
};

std::vector<std::string> CorpusFiles() {
    const std::string folders[] = {std::string(VEX_SOURCE_DIR) + "/tests/corpus/rfc",
                                   std::string(VEX_PYTHON_LIBRARY) + "/test/test_email/data",
                                   "/usr/share/doc/spamassassin/examples"};
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        if (!fs::is_directory(folder)) throw std::runtime_error("missing corpus folder " + folder);
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(".eml") || (name.starts_with("msg_") && name.ends_with(".txt")) ||
                name.starts_with("sample-"))
                files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadAll(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string RandomBytes(std::mt19937& Random, size_t Count) {
    std::string bytes(Count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(Random() & 0xFF);
    return bytes;
}

std::string Base64Lines(std::string_view Bytes) {
    std::string out;
    out.reserve(Bytes.size() / 57 * 78 + 80);
    std::string line;
    for (size_t p = 0; p < Bytes.size(); p += 57) {
        vex::Base64Encode(Bytes.substr(p, 57), line, 100);
        out += line;
        out += "\r\n";
    }
    return out;
}

// A byte as quoted-printable and Q-encoded words write it: "=" and two hexadecimal digits.
void AppendEscape(std::string& Out, unsigned char Byte) {
    char escape[4];
    std::snprintf(escape, sizeof escape, "=%02X", Byte);
    Out += escape;
}

// Latin-1 prose as a mail program writes it in quoted-printable: escapes for accented letters
// and "=", soft breaks within paragraphs of a few hundred characters.
std::string QuotedPrintableText(std::mt19937& Random, size_t Size) {
    static const char* const words[] = {"message",
                                        "server",
                                        "filter",
                                        "r\xE9sum\xE9",
                                        "mail",
                                        "caf\xE9",
                                        "list",
                                        "a=b",
                                        "\xFC"
                                        "ber",
                                        "the",
                                        "delete",
                                        "junk",
                                        "na\xEFve",
                                        "rule"};
    std::string out;
    out.reserve(Size + 1024);
    std::string line;
    size_t paragraph = 0;
    while (out.size() < Size) {
        const std::string_view word = words[Random() % std::size(words)];
        std::string encoded;
        for (const char c : word) {
            const auto u = static_cast<unsigned char>(c);
            if (u >= 128 || c == '=') {
                AppendEscape(encoded, u);
            } else {
                encoded += c;
            }
        }
        if (line.size() + encoded.size() + 2 > 75) {
            out += line + "=\r\n";
            line.clear();
        }
        line += encoded;
        line += ' ';
        if (++paragraph % 60 == 0) {
            line.pop_back();
            out += line + "\r\n";
            line.clear();
        }
    }
    if (!line.empty()) line.pop_back();  // a blank that ends a line is transport padding
    out += line + "\r\n";
    return out;
}

std::string MultipartMessage(const std::string& ExtraHeaders, const std::string& PartHeaders,
                             const std::string& PartBody) {
    return "From: Sender <sender@example.org>\r\n"
           "To: Someone <someone@example.net>\r\n"
           "Subject: files\r\n" +
           ExtraHeaders +
           "MIME-Version: 1.0\r\n"
           "Content-Type: multipart/mixed; boundary=\"=_part_boundary\"\r\n"
           "\r\n"
           "--=_part_boundary\r\n"
           "Content-Type: text/plain; charset=us-ascii\r\n"
           "\r\n"
           "The file is attached.\r\n"
           "--=_part_boundary\r\n" +
           PartHeaders + "\r\n" + PartBody + "--=_part_boundary--\r\n";
}

std::string Base64AttachmentMessage(std::mt19937& Random, size_t Size) {
    return MultipartMessage("",
                            "Content-Type: application/octet-stream; name=\"data.bin\"\r\n"
                            "Content-Transfer-Encoding: base64\r\n",
                            Base64Lines(RandomBytes(Random, Size)));
}

std::string QuotedAttachmentMessage(std::mt19937& Random, size_t Size) {
    return MultipartMessage("",
                            "Content-Type: text/plain; charset=iso-8859-1; name=\"notes.txt\"\r\n"
                            "Content-Transfer-Encoding: quoted-printable\r\n",
                            QuotedPrintableText(Random, Size));
}

std::string EncodedWord(std::mt19937& Random, std::string_view Text) {
    if (Random() % 2)
        return "=?utf-8?B?" + [&] {
            std::string out;
            vex::Base64Encode(Text, out, 1000);
            return out;
        }() + "?=";
    std::string out = "=?iso-8859-1?Q?";
    for (const char c : Text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ' ') {
            out += '_';
        } else if (u >= 128 || c == '=' || c == '?' || c == '_') {
            AppendEscape(out, u);
        } else {
            out += c;
        }
    }
    return out + "?=";
}

// 30 to 60 lines: trace fields, folded address lists of a dozen names or more, encoded words.
std::string HeaderHeavyMessage(std::mt19937& Random, int Index) {
    static const char* const names[] = {"Anna Berg", "Jörg Müller", "Chloé Martin",
                                        "Li Wei",    "Sam O'Neil",  "Zoë Park"};
    auto name = [&] { return std::string(names[Random() % std::size(names)]); };
    auto address = [&](int I) {
        return EncodedWord(Random, name()) + " <user" + std::to_string(I) + "@host" +
               std::to_string(Random() % 50) + ".example.com>";
    };
    auto addressList = [&](const char* Field, int Count) {
        std::string out = std::string(Field) + ": ";
        for (int i = 0; i < Count; ++i)
            out += address(i) + (i + 1 < Count ? ",\r\n\t" : "\r\n");
        return out;
    };
    std::string headers;
    const int received = 4 + static_cast<int>(Random() % 8);
    for (int i = 0; i < received; ++i)
        headers += "Received: from relay" + std::to_string(i) +
                   ".example.com (relay.example.com [192.0.2." + std::to_string(i) +
                   "])\r\n\tby mx.example.org with ESMTPS id " + std::to_string(Random()) +
                   "\r\n\tfor <someone@example.net>; Mon, 7 Dec 2026 10:00:00 +0000\r\n";
    headers += "From: " + address(0) + "\r\n";
    headers += addressList("To", 6 + static_cast<int>(Random() % 10));
    headers += addressList("Cc", 3 + static_cast<int>(Random() % 8));
    headers += "Subject: " + EncodedWord(Random, "Invoice " + std::to_string(Index) + " für Sie") +
               "\r\n\t" + EncodedWord(Random, "and the rest of the subject") + "\r\n";
    headers +=
        "Date: Mon, 7 Dec 2026 10:00:00 +0000\r\n"
        "Message-ID: <" +
        std::to_string(Random()) +
        "@example.org>\r\n"
        "X-Mailer: bench\r\n"
        "X-Priority: 3\r\n";
    const std::string body = "Hello,\r\n\r\nthe figures are below.\r\n\r\nRegards\r\n";
    if (Index % 5 != 0)
        return headers + "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\n" +
               body;
    return MultipartMessage(headers,
                            "Content-Type: text/plain; charset=iso-8859-1; name=\"list.txt\"\r\n"
                            "Content-Transfer-Encoding: quoted-printable\r\n",
                            QuotedPrintableText(Random, 2000));
}

struct TAllSets {
    std::vector<std::string> CorpusTexts;
    std::vector<std::string> AttachmentTexts;
    std::vector<std::string> HeaderTexts;
    std::vector<TMessageSet> Sets;
};

size_t SizeOf(const std::vector<const std::string*>& Messages) {
    size_t bytes = 0;
    for (const std::string* m : Messages)
        bytes += m->size();
    return bytes;
}

TMessageSet MakeSet(const std::string& Name, const std::vector<std::string>& Texts,
                    const std::function<bool(size_t)>& Take) {
    TMessageSet set;
    set.Name = Name;
    for (size_t i = 0; i < Texts.size(); ++i)
        if (Take(i)) set.Messages.push_back(&Texts[i]);
    set.Bytes = SizeOf(set.Messages);
    return set;
}

const TAllSets& AllSets() {
    static const TAllSets sets = [] {
        TAllSets s;
        std::mt19937 random(20261207);
        const std::vector<std::string> files = CorpusFiles();
        for (const std::string& file : files)
            s.CorpusTexts.push_back(ReadAll(file));
        for (int i = 0; i < 10; ++i) {
            const size_t size = (i == 9 ? 20 : 1 + 2 * static_cast<size_t>(i)) << 20;
            s.AttachmentTexts.push_back(i % 2 == 0 ? Base64AttachmentMessage(random, size)
                                                   : QuotedAttachmentMessage(random, size));
        }
        for (int i = 0; i < 1000; ++i)
            s.HeaderTexts.push_back(HeaderHeavyMessage(random, i));

        TMessageSet corpus = MakeSet("corpus", s.CorpusTexts, [](size_t) { return true; });
        corpus.Rounds = static_cast<int>((kMinimumCorpusBytes + corpus.Bytes - 1) / corpus.Bytes);
        corpus.Bytes *= static_cast<size_t>(corpus.Rounds);
        corpus.Files = files;
        s.Sets.push_back(std::move(corpus));
        s.Sets.push_back(MakeSet("attachments", s.AttachmentTexts, [](size_t) { return true; }));
        s.Sets.push_back(
            MakeSet("base64 attachments", s.AttachmentTexts, [](size_t I) { return I % 2 == 0; }));
        s.Sets.push_back(MakeSet("quoted-printable attachments", s.AttachmentTexts,
                                 [](size_t I) { return I % 2 == 1; }));
        s.Sets.push_back(MakeSet("header-heavy", s.HeaderTexts, [](size_t) { return true; }));
        return s;
    }();
    return sets;
}

// --- The parsers ---

struct TPart {
    uint32_t Crc;
    size_t Size;
    bool operator==(const TPart&) const = default;
};

uint32_t Crc32(const char* Data, size_t Size) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(Data), static_cast<uInt>(Size)));
}

// The attachments of the message as our parser gives them: every part but a text first one.
std::vector<TPart> ParseWithOurs(const std::string& Text) {
    vex::TmsMessage message(nullptr);
    vex::TStringStream in(Text);
    message.LoadFromStream(in);
    std::vector<TPart> parts;
    for (int32_t i = 0; i < message.Attachments().Count(); ++i) {
        vex::TMemoryStream& stream = message.Attachments().Items(i)->Stream;
        const auto size = static_cast<size_t>(stream.Size());
        parts.push_back({Crc32(stream.Memory(), size), size});
    }
    return parts;
}

void DecodeLeaf(GMimeObject*, GMimeObject* Part, gpointer Parts) {
    if (!GMIME_IS_PART(Part)) return;
    GMimeStream* out = g_mime_stream_mem_new();
    g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(GMIME_PART(Part)), out);
    if (Parts) {
        const GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out));
        static_cast<std::vector<TPart>*>(Parts)->push_back(
            {Crc32(reinterpret_cast<const char*>(bytes->data), bytes->len), bytes->len});
    }
    g_object_unref(out);
}

// Every leaf part, decoded; the subject and address lists are read as ours reads them.
std::vector<TPart> ParseWithGMime(const std::string& Text, bool KeepParts) {
    GMimeStream* stream = g_mime_stream_mem_new_with_buffer(Text.data(), Text.size());
    GMimeParser* parser = g_mime_parser_new_with_stream(stream);
    GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr);
    g_object_unref(parser);
    g_object_unref(stream);
    std::vector<TPart> parts;
    if (!message) return parts;
    benchmark::DoNotOptimize(g_mime_message_get_subject(message));
    for (GMimeAddressType type : {GMIME_ADDRESS_TYPE_FROM, GMIME_ADDRESS_TYPE_TO,
                                  GMIME_ADDRESS_TYPE_CC, GMIME_ADDRESS_TYPE_BCC})
        benchmark::DoNotOptimize(
            internet_address_list_length(g_mime_message_get_addresses(message, type)));
    g_mime_message_foreach(message, DecodeLeaf, KeepParts ? &parts : nullptr);
    g_object_unref(message);
    return parts;
}

// On the made-up sets the first leaf is always the text, which our parser keeps apart as the body.
bool AgreeOnAttachments(const TMessageSet& Set) {
    for (const std::string* text : Set.Messages) {
        std::vector<TPart> theirs = ParseWithGMime(*text, true);
        if (!theirs.empty()) theirs.erase(theirs.begin());
        const std::vector<TPart> ours = ParseWithOurs(*text);
        if (ours != theirs) {
            std::fprintf(stderr, "message of %zu bytes: ours", text->size());
            for (const TPart& p : ours)
                std::fprintf(stderr, " %08x/%zu", p.Crc, p.Size);
            std::fprintf(stderr, ", GMime's");
            for (const TPart& p : theirs)
                std::fprintf(stderr, " %08x/%zu", p.Crc, p.Size);
            std::fprintf(stderr, "\n");
            return false;
        }
    }
    return true;
}

// --- Timing ---

struct TTimes {
    std::vector<double> Ours, GMime, Python;
};

std::vector<TTimes> gTimes;

double Median(std::vector<double> Seconds) {
    if (Seconds.empty()) return 0;
    std::sort(Seconds.begin(), Seconds.end());
    return Seconds[Seconds.size() / 2];
}

template <class Parse>
void TimeSet(benchmark::State& State, const TMessageSet& Set, std::vector<double>& Seconds,
             Parse ParseOne) {
    for (auto _ : State) {
        const auto start = std::chrono::steady_clock::now();
        for (int round = 0; round < Set.Rounds; ++round)
            for (const std::string* text : Set.Messages)
                ParseOne(*text);
        Seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Set.Bytes));
}

void BM_Ours(benchmark::State& State, size_t Index) {
    const TMessageSet& set = AllSets().Sets[Index];
    TimeSet(State, set, gTimes[Index].Ours, [](const std::string& Text) {
        vex::TmsMessage message(nullptr);
        vex::TStringStream in(Text);
        message.LoadFromStream(in);
        benchmark::DoNotOptimize(message.Attachments().Count());
    });
}

void BM_GMime(benchmark::State& State, size_t Index) {
    const TMessageSet& set = AllSets().Sets[Index];
    TimeSet(State, set, gTimes[Index].GMime,
            [](const std::string& Text) { ParseWithGMime(Text, false); });
}

// Python's own timing of the same parse, read from its output.
void BM_PythonEmail(benchmark::State& State, size_t Index) {
    const TMessageSet& set = AllSets().Sets[Index];
    std::string command =
        "python3 -c \"import email, email.policy, sys, time\n"
        "data = [open(f, 'rb').read() for f in sys.argv[2:]]\n"
        "t = time.perf_counter()\n"
        "for _ in range(int(sys.argv[1])):\n"
        "    for d in data:\n"
        "        m = email.message_from_bytes(d, policy=email.policy.compat32)\n"
        "        for part in m.walk():\n"
        "            if not part.is_multipart(): part.get_payload(decode=True)\n"
        "print(time.perf_counter() - t)\n\" " +
        std::to_string(set.Rounds);
    for (const std::string& file : set.Files)
        command += " '" + file + "'";
    for (auto _ : State) {
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        double seconds = 0;
        if (!pipe || std::fscanf(pipe.get(), "%lf", &seconds) != 1)
            throw std::runtime_error("python3 did not parse the corpus");
        gTimes[Index].Python.push_back(seconds);
        State.SetIterationTime(seconds);
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * set.Bytes));
}

// --- Peak memory ---

// A value of /proc/self/status, in KiB.
long StatusKiB(const char* Field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with(Field)) return std::stol(line.substr(std::string_view(Field).size()));
    return -1;
}

// Run first, in a fresh process, so that no memory freed by an earlier run hides the parse's own.
void ReportPeakMemory() {
    constexpr size_t attachment = size_t{20} << 20;
    const long before = StatusKiB("VmRSS:");
    std::mt19937 random(7);
    std::string text = Base64AttachmentMessage(random, attachment);
    malloc_trim(0);
    vex::TStringStream in(std::move(text));
    text = std::string();
    const long held = StatusKiB("VmRSS:");
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    vex::TmsMessage message(nullptr);
    message.LoadFromStream(in);
    const long peak = StatusKiB("VmHWM:");
    const double input = static_cast<double>(in.Size()) / (1 << 20);
    const double decoded =
        static_cast<double>(message.Attachments().Items(0)->Stream.Size()) / (1 << 20);
    const double used = static_cast<double>(peak - before) / 1024;
    std::printf(
        "peak memory parsing a 20 MB base64 attachment: %.1f MiB above the start (%.1f MiB of it "
        "before the parse, with the input made); input %.1f MiB + decoded %.1f MiB = %.1f MiB "
        "(%.1f%% over)\n",
        used, static_cast<double>(held - before) / 1024, input, decoded, input + decoded,
        100 * (used / (input + decoded) - 1));
}

}  // namespace

int main(int argc, char** argv) {
    ReportPeakMemory();
    g_mime_init();
    const TAllSets& sets = AllSets();
    gTimes.resize(sets.Sets.size());
    for (size_t i = 0; i < sets.Sets.size(); ++i) {
        const TMessageSet& set = sets.Sets[i];
        if (set.Name != "corpus" && !AgreeOnAttachments(set)) {
            std::fprintf(stderr, "the parsers disagree on the attachments of %s\n",
                         set.Name.c_str());
            return 1;
        }
        benchmark::RegisterBenchmark(("Ours/" + set.Name).c_str(), BM_Ours, i)
            ->Iterations(kRuns)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("GMime/" + set.Name).c_str(), BM_GMime, i)
            ->Iterations(kRuns)
            ->Unit(benchmark::kMillisecond);
        if (!set.Files.empty())
            benchmark::RegisterBenchmark(("PythonEmail/" + set.Name).c_str(), BM_PythonEmail, i)
                ->Iterations(3)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    for (size_t i = 0; i < sets.Sets.size(); ++i) {
        const TMessageSet& set = sets.Sets[i];
        const TTimes& times = gTimes[i];
        if (times.Ours.empty() || times.GMime.empty()) continue;
        const double mib = static_cast<double>(set.Bytes) / (1 << 20);
        const double ours = Median(times.Ours);
        const double gmime = Median(times.GMime);
        std::printf(
            "%s: %.1f MiB (%zu messages x %d): parser %.1f MiB/s, GMime %.1f MiB/s, ratio "
            "%.2f",
            set.Name.c_str(), mib, set.Messages.size(), set.Rounds, mib / ours, mib / gmime,
            gmime / ours);
        if (!times.Python.empty()) {
            const double python = Median(times.Python);
            std::printf("; Python email %.1f MiB/s, ratio %.2f", mib / python, python / ours);
        }
        std::printf("\n");
    }
    return 0;
}
