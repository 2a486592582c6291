#include "manifest/MergedJUnit.h"

#include "log/ProductInfo.h"
#include "manifest/OutputFolder.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlstring.h>

#include <algorithm>
#include <charconv>
#include <memory>
#include <string>

namespace lumora::manifest {

namespace {

struct DocumentFree {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentFree>;

const xmlChar* xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

bool named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, xml(name));
}

std::string attribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, xml(name));
    std::string text = value == nullptr ? "" : reinterpret_cast<const char*>(value);
    xmlFree(value);
    return text;
}

void setNumber(xmlNode* node, const char* name, long value) {
    xmlSetProp(node, xml(name), xml(std::to_string(value).c_str()));
}

std::string secondsText(double value) {
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return error == std::errc{} ? std::string(text, end) : "0";
}

// A suite's counts, from the testcases it holds.
struct SuiteCounts {
    long tests = 0;
    long failures = 0;
    long errors = 0;
    long skipped = 0;
    double time = 0;

    void add(const xmlNode* testcase) {
        ++tests;
        const std::string seconds = attribute(testcase, "time");
        double value = 0;
        std::from_chars(seconds.data(), seconds.data() + seconds.size(), value);
        time += value;
        for (const xmlNode* child = testcase->children; child != nullptr; child = child->next) {
            failures += named(child, "failure") ? 1 : 0;
            errors += named(child, "error") ? 1 : 0;
            skipped += named(child, "skipped") ? 1 : 0;
        }
    }
};

Document readJUnit(const std::filesystem::path& file) {
    return Document(
        xmlReadFile(file.c_str(), nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
}

// Copies the testcases of every testsuite of the design's own JUnit file; false when it has none.
bool copyTestcases(const std::filesystem::path& file, xmlDoc* merged, xmlNode* suite, SuiteCounts& counts) {
    const Document document = readJUnit(file);
    const xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (root == nullptr || !named(root, "testsuites")) {
        return false;
    }
    for (const xmlNode* own = root->children; own != nullptr; own = own->next) {
        for (const xmlNode* testcase = named(own, "testsuite") ? own->children : nullptr; testcase != nullptr;
             testcase = testcase->next) {
            if (named(testcase, "testcase")) {
                xmlAddChild(suite, xmlDocCopyNode(const_cast<xmlNode*>(testcase), merged, 1));
                counts.add(testcase);
            }
        }
    }
    return true;
}

// XML 1.0 holds no control characters but tab and line ends, and the file is UTF-8: a run's
// messages may quote a path of any bytes.
std::string xmlSafe(std::string text) {
    std::ranges::replace_if(
        text, [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t'; }, ' ');
    if (xmlCheckUTF8(xml(text.c_str())) == 0) {
        std::ranges::replace_if(
            text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; }, '?');
    }
    return text;
}

std::string whyNoTests(const DesignResult& result) {
    std::string why = "the design was not checked: " + std::string(outcomeName(result.outcome));
    if (result.signal != 0) {
        why += " (signal " + std::to_string(result.signal) + ")";
    } else if (result.outcome != DesignOutcome::Missing) {
        why += " (exit status " + std::to_string(result.exitStatus) + ")";
    }
    return why;
}

void addErrorCase(const DesignResult& result, xmlNode* suite, SuiteCounts& counts) {
    xmlNode* testcase = xmlNewChild(suite, nullptr, xml("testcase"), nullptr);
    xmlSetProp(testcase, xml("classname"), xml(result.name.c_str()));
    xmlSetProp(testcase, xml("name"), xml(xmlSafe(result.design).c_str()));
    xmlNode* error = xmlNewTextChild(testcase, nullptr, xml("error"), xml(xmlSafe(result.message).c_str()));
    xmlSetProp(error, xml("message"), xml(whyNoTests(result).c_str()));
    counts.add(testcase);
}

SuiteCounts addSuite(const DesignResult& result, const std::filesystem::path& out, xmlDoc* merged,
                     xmlNode* root) {
    xmlNode* suite = xmlNewChild(root, nullptr, xml("testsuite"), nullptr);
    xmlSetProp(suite, xml("name"), xml(result.name.c_str()));
    SuiteCounts counts;
    const bool ran = result.outcome != DesignOutcome::Missing && result.totals.has_value();
    if (!ran || !copyTestcases(out / result.name / files::kJUnit, merged, suite, counts)) {
        addErrorCase(result, suite, counts);
    }
    setNumber(suite, "tests", counts.tests);
    setNumber(suite, "failures", counts.failures);
    setNumber(suite, "errors", counts.errors);
    setNumber(suite, "skipped", counts.skipped);
    xmlSetProp(suite, xml("time"), xml(secondsText(counts.time).c_str()));
    return counts;
}

} // namespace

void writeMergedJUnit(const std::vector<DesignResult>& results, const std::filesystem::path& out,
                      std::ostream& xmlText) {
    Document merged(xmlNewDoc(xml("1.0")));
    xmlNode* root = xmlNewNode(nullptr, xml("testsuites"));
    xmlDocSetRootElement(merged.get(), root);
    xmlSetProp(root, xml("name"), xml(std::string(kApplicationTitle).c_str()));
    SuiteCounts all;
    for (const DesignResult& result : results) {
        const SuiteCounts counts = addSuite(result, out, merged.get(), root);
        all.tests += counts.tests;
        all.failures += counts.failures;
        all.errors += counts.errors;
    }
    setNumber(root, "tests", all.tests);
    setNumber(root, "failures", all.failures);
    setNumber(root, "errors", all.errors);
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(merged.get(), &text, &size, "UTF-8", 1);
    xmlText.write(reinterpret_cast<const char*>(text), size);
    xmlFree(text);
}

} // namespace lumora::manifest
