#include "engine/automation/EmbeddedApplication.h"

#include "engine/ops/Editing.h"

namespace lumora::engine {

namespace {

const Layer& currentAttribLayer(const Session& session, const Design& design) {
    if (!session.currentAttribLayer) {
        throw Refusal(rc::NothingSelected, "no layer chosen for its attributes");
    }
    return design.layer(*session.currentAttribLayer);
}

} // namespace

int16_t EmbeddedApplication::GetLayer3(int16_t layer, std::string& name, int16_t& type, int16_t& show,
                                       int16_t& color, std::string& description, int16_t& fillStyle,
                                       int16_t& lineStyle, int16_t& lineWidth, int16_t& penNumber) {
    return answerWithDocument(session(), [&](Design& design) {
        const Layer& l = design.layer(layer);
        name = l.name;
        type = l.type;
        show = l.show ? 1 : 0;
        color = l.color;
        description = l.description;
        fillStyle = 0;
        lineStyle = 0;
        lineWidth = 0;
        penNumber = 0;
    });
}

void EmbeddedApplication::GetLayerStackup(int16_t layer, int16_t& electrical, int16_t& physical,
                                          int16_t& artwork) {
    electrical = physical = artwork = 0;
    answerWithDocument(session(), [&](Design& design) {
        const Layer& l = design.layer(layer);
        electrical = l.electrical;
        physical = l.physical;
        artwork = l.artwork;
    });
}

int16_t EmbeddedApplication::SetLayerCurrentAttrib(int16_t layerNum) {
    return answerWithDocument(session(), [&](Design& design) {
        design.layer(layerNum);
        session().currentAttribLayer = layerNum;
    });
}

int16_t EmbeddedApplication::DeleteByLayer(int16_t layerNum, bool removeLayerFromList) {
    return answerWithDocument(session(), [&](Design& design) {
        deleteByLayer(design, layerNum, removeLayerFromList);
        if (removeLayerFromList && session().currentAttribLayer == layerNum) {
            session().currentAttribLayer.reset();
        }
    });
}

int16_t EmbeddedApplication::GetKeyword(int16_t keyWord, std::string& inKeyword, std::string& ccKeyword,
                                        std::string& outKeyword, int16_t& keywdType, bool& internal) {
    return answerWithDocument(session(), [&](Design& design) {
        if (keyWord < 0 || static_cast<std::size_t>(keyWord) >= design.keywords.size()) {
            throw Refusal(rc::IndexOutOfRange, "no keyword " + std::to_string(keyWord));
        }
        const Keyword& keyword = design.keywords[keyWord];
        inKeyword = keyword.inName;
        ccKeyword = keyword.name;
        outKeyword = keyword.outName;
        keywdType = keyword.type;
        internal = keyword.internal;
    });
}

int16_t EmbeddedApplication::GetAttribKeywordArray(std::vector<int16_t>& keywords) {
    keywords.clear();
    return answerWithDocument(session(), [&](Design& design) {
        const Layer& layer = currentAttribLayer(session(), design);
        if (layer.attributes.empty()) {
            throw Refusal(rc::NoAttributes, "layer " + layer.name + " has no attributes");
        }
        for (const Attribute& attribute : layer.attributes) {
            keywords.push_back(design.keywordNumber(attribute.keyword));
        }
    });
}

int16_t EmbeddedApplication::GetAttribValue(int16_t keyWord, std::string& value) {
    value.clear();
    return answerWithDocument(session(), [&](Design& design) {
        const Layer& layer = currentAttribLayer(session(), design);
        if (keyWord < 0 || static_cast<std::size_t>(keyWord) >= design.keywords.size()) {
            throw Refusal(rc::IndexOutOfRange, "no keyword " + std::to_string(keyWord));
        }
        const std::string* found = layer.attributes.find(design.keywords[keyWord].name);
        if (!found) {
            throw Refusal(rc::ItemNotFound, "layer " + layer.name + " lacks the keyword");
        }
        value = *found;
    });
}

} // namespace lumora::engine
