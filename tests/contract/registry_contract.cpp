#include "contract/registry_contract.h"

#include <limits>

#include "platform/registry_data.h"
#include "platform/text.h"
#include "settings/registry_access.h"
#include "settings/settings_constants.h"

namespace morvane::testing {

using namespace platform;
using settings::SettingsValue;
using settings::StoredType;

constexpr std::uint32_t kRegQword = 11;
constexpr std::uint32_t kWriteRights = 0x0002 | 0x0004 | 0x0020;  // SET_VALUE, CREATE_SUB_KEY, CREATE_LINK

RegistryStatus CountingRegistry::openKey(RegistryKey root, std::string_view path, std::uint32_t access,
                                         RegistryKey& key) {
    openMasks.push_back(access);
    const RegistryStatus status = inner_.openKey(root, path, access, key);
    if (status == kErrorSuccess) ++open_[key];
    return status;
}

RegistryStatus CountingRegistry::createKey(RegistryKey root, std::string_view path, std::uint32_t access,
                                           RegistryKey& key) {
    createMasks.push_back(access);
    const RegistryStatus status = inner_.createKey(root, path, access, key);
    if (status == kErrorSuccess) ++open_[key];
    return status;
}

RegistryStatus CountingRegistry::queryValue(RegistryKey key, std::string_view name, std::uint32_t& type,
                                            std::span<std::byte> data, std::uint32_t& size) {
    return inner_.queryValue(key, name, type, data, size);
}

RegistryStatus CountingRegistry::setValue(RegistryKey key, std::string_view name, std::uint32_t type,
                                          std::span<const std::byte> data) {
    return inner_.setValue(key, name, type, data);
}

RegistryStatus CountingRegistry::closeKey(RegistryKey key) {
    const RegistryStatus status = inner_.closeKey(key);
    if (status == kErrorSuccess && --open_[key] == 0) open_.erase(key);
    return status;
}

std::vector<std::byte> utf16le(std::u16string_view text) { return registryText(utf16ToUtf8(text)); }

std::vector<std::byte> bytes(std::initializer_list<unsigned> values) {
    std::vector<std::byte> out;
    for (unsigned v : values) out.push_back(std::byte(v));
    return out;
}

std::string contractCaseName(const ::testing::TestParamInfo<RegistryContractParam>& info) { return info.param.name; }

void RegistryContract::SetUp() {
    scratch_ = GetParam().make();
    ASSERT_NE(scratch_.registry, nullptr);
    counting_ = std::make_unique<CountingRegistry>(*scratch_.registry);
}

void RegistryContract::TearDown() {
    if (counting_) {
        EXPECT_EQ(counting_->openHandles(), 0) << "a key was left open";
    }
    if (scratch_.removeScratch) scratch_.removeScratch();
}

std::string RegistryContract::at(std::string_view sub) const {
    return sub.empty() ? scratch_.path : scratch_.path + "\\" + std::string(sub);
}

void RegistryContract::putRaw(std::string_view name, std::uint32_t type, std::vector<std::byte> data,
                              std::string_view sub) {
    RegistryKey key = kNullKey;
    ASSERT_EQ(registry().createKey(root(), at(sub), settings::kWriteAccessMask, key), kErrorSuccess);
    EXPECT_EQ(registry().setValue(key, name, type, data), kErrorSuccess);
    registry().closeKey(key);
}

std::optional<RawValue> RegistryContract::getRaw(std::string_view name, std::string_view sub) {
    RegistryKey key = kNullKey;
    if (registry().openKey(root(), at(sub), settings::kReadAccessMask, key) != kErrorSuccess) return std::nullopt;
    RawValue raw;
    std::uint32_t size = 0;
    std::optional<RawValue> result;
    if (registry().queryValue(key, name, raw.type, {}, size) == kErrorSuccess) {
        raw.data.resize(size);
        if (size == 0 || registry().queryValue(key, name, raw.type, raw.data, size) == kErrorSuccess) {
            raw.data.resize(size);
            result = raw;
        }
    }
    registry().closeKey(key);
    return result;
}

bool RegistryContract::keyExists(std::string_view path) {
    RegistryKey key = kNullKey;
    if (registry().openKey(root(), path, settings::kReadAccessMask, key) != kErrorSuccess) return false;
    registry().closeKey(key);
    return true;
}

namespace {

// Opens the scratch key for a case that works on an open handle.
class OpenKey {
public:
    OpenKey(Registry& registry, RegistryKey root, const std::string& path) : registry_(registry) {
        EXPECT_EQ(registry.createKey(root, path, settings::kWriteAccessMask, key_), kErrorSuccess);
    }
    ~OpenKey() { registry_.closeKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    [[nodiscard]] RegistryKey key() const { return key_; }

private:
    Registry& registry_;
    RegistryKey key_ = kNullKey;
};

}  // namespace

// --- The platform operations the module relies on -------------------------

TEST_P(RegistryContract, OpenOfAMissingKeyFailsAndLeavesTheHandleNull) {
    RegistryKey key = 0x1234;
    EXPECT_EQ(registry().openKey(root(), at("Missing"), settings::kReadAccessMask, key), kErrorFileNotFound);
    EXPECT_EQ(key, kNullKey);
}

TEST_P(RegistryContract, QueryWithoutBufferGivesTypeAndSizeAndTooSmallABufferAsksForMore) {
    putRaw("v", kRegSz, utf16le(u"abc"));
    OpenKey open(registry(), root(), at());
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    ASSERT_EQ(registry().queryValue(open.key(), "v", type, {}, size), kErrorSuccess);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(size, 6u);

    std::vector<std::byte> small(4);
    size = 4;
    EXPECT_EQ(registry().queryValue(open.key(), "v", type, small, size), kErrorMoreData);
    EXPECT_EQ(registry().queryValue(open.key(), "absent", type, {}, size), kErrorFileNotFound);
}

TEST_P(RegistryContract, SetValueStoresExactlyTheBytesGivenEvenWithANulRightAfterThem) {
    // The system adds a NUL that follows a string's data when the caller left
    // it out of the count; the platform layer must not let that happen.
    const std::vector<std::byte> withNul = utf16le(std::u16string_view(u"abc\0", 4));
    {
        OpenKey open(registry(), root(), at());
        ASSERT_EQ(registry().setValue(open.key(), "v", kRegSz, std::span(withNul).first(6)), kErrorSuccess);
    }
    EXPECT_EQ(getRaw("v"), (RawValue{kRegSz, utf16le(u"abc")}));
}

TEST_P(RegistryContract, WriteOnAKeyOpenedForReadingIsRefused) {
    ASSERT_EQ(settings::createKey(registry(), root(), at()), kErrorSuccess);
    RegistryKey key = kNullKey;
    ASSERT_EQ(registry().openKey(root(), at(), settings::kReadAccessMask, key), kErrorSuccess);
    EXPECT_EQ(settings::writeValue(registry(), key, "v", StoredType::RegSz, "x"), kErrorAccessDenied);
    registry().closeKey(key);
    EXPECT_EQ(getRaw("v"), std::nullopt);
}

TEST_P(RegistryContract, AQueryOnAKeyOpenedOnlyToWriteIsRefused) {
    putRaw("v", kRegSz, utf16le(u"x"));
    constexpr std::uint32_t kSetValueOnly = 0x0002;
    RegistryKey key = kNullKey;
    ASSERT_EQ(registry().openKey(root(), at(), kSetValueOnly, key), kErrorSuccess);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(registry().queryValue(key, "v", type, {}, size), kErrorAccessDenied);
    SettingsValue value("kept");
    EXPECT_EQ(settings::readValue(registry(), key, "v", value), kErrorAccessDenied);
    EXPECT_EQ(value, SettingsValue("kept"));
    registry().closeKey(key);
}

// --- Reading ---------------------------------------------------------------

TEST_P(RegistryContract, AMissingValueNameReadsAsTheEmptyValue) {
    putRaw("present", kRegSz, utf16le(u"x"));
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "absent"), SettingsValue());

    OpenKey open(registry(), root(), at());
    SettingsValue value("kept");
    EXPECT_EQ(settings::readValue(registry(), open.key(), "absent", value), kErrorFileNotFound);
    EXPECT_EQ(value, SettingsValue("kept"));
}

TEST_P(RegistryContract, AnythingBelowAMissingKeyReadsAsTheEmptyValue) {
    EXPECT_EQ(settings::loadValue(registry(), root(), at("Missing\\Deeper"), "v"), SettingsValue());
    EXPECT_FALSE(keyExists(at("Missing")));
}

TEST_P(RegistryContract, AStoredEmptyTextIsATextNotTheEmptyValue) {
    putRaw("v", kRegSz, {});
    const SettingsValue value = settings::loadValue(registry(), root(), at(), "v");
    EXPECT_TRUE(value.isText());
    EXPECT_EQ(value, SettingsValue(""));
}

TEST_P(RegistryContract, ValuesOfOtherTypesReadAsTheEmptyValue) {
    const struct {
        const char* name;
        std::uint32_t type;
        std::vector<std::byte> data;
    } cases[] = {
        {"expandable", kRegExpandSz, utf16le(std::u16string_view(u"%TEMP%\0", 7))},
        {"binary", kRegBinary, bytes({1, 2, 3})},
        {"multi", kRegMultiSz, utf16le(std::u16string_view(u"a\0b\0\0", 5))},
        {"qword", kRegQword, bytes({1, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const auto& c : cases) putRaw(c.name, c.type, c.data);
    OpenKey open(registry(), root(), at());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::loadValue(registry(), root(), at(), c.name), SettingsValue());
        SettingsValue value("kept");
        EXPECT_EQ(settings::readValue(registry(), open.key(), c.name, value), settings::kUndecodedType);
        EXPECT_EQ(value, SettingsValue("kept"));
    }
}

TEST_P(RegistryContract, ATextStoredWithItsNulReadsBackWithIt) {
    putRaw("v", kRegSz, utf16le(std::u16string_view(u"C:\\a.m2v\0", 9)));
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "v"), SettingsValue(std::string("C:\\a.m2v\0", 9)));
}

TEST_P(RegistryContract, AnOddByteCountReadsAsTheWholeUnitsOnly) {
    std::vector<std::byte> data = utf16le(u"ab");
    data.push_back(std::byte{0x41});
    putRaw("v", kRegSz, data);
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "v"), SettingsValue("ab"));
}

TEST_P(RegistryContract, ANumberOfAnotherSizeThanFourBytes) {
    putRaw("short", kRegDword, bytes({0x2A, 0x01}));
    putRaw("long", kRegDword, bytes({1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "short"), SettingsValue(0x12A));
    // Too long for the 32-bit integer it is read into: the read fails.
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "long"), SettingsValue());
}

// --- Writing and reading back ----------------------------------------------

TEST_P(RegistryContract, TextsRoundTripCharacterForCharacterWithoutATerminatingNul) {
    const std::string longPath = "C:\\" + std::string(300, 'x') + "\\out.m2v";
    const std::string texts[] = {
        "C:\\Program Files\\Pulldown\\pulldown.exe",
        "  D:\\Video\\movie.m2v  ",
        "\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE\\\xE6\x98\xA0\xE7\x94\xBB\\f\xC3\xBCr \xF0\x9F\x8E\xAC.m2v",
        std::string("a\0b", 3),
        longPath,
        "1",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        ASSERT_EQ(settings::createKey(registry(), root(), at()), kErrorSuccess);
        EXPECT_EQ(settings::saveValue(registry(), root(), at(), "v", text, StoredType::RegSz), kErrorSuccess);
        const std::u16string wide = utf8ToUtf16(text);
        EXPECT_EQ(getRaw("v"), (RawValue{kRegSz, utf16le(wide)}));
        const SettingsValue back = settings::loadValue(registry(), root(), at(), "v");
        EXPECT_TRUE(back.isText());
        EXPECT_EQ(back, SettingsValue(text));
    }
}

TEST_P(RegistryContract, NumbersRoundTripAsSignedIntegers) {
    const std::int32_t numbers[] = {
        0, 1, 2, -1, 123456789, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    OpenKey open(registry(), root(), at());
    for (std::int32_t number : numbers) {
        SCOPED_TRACE(number);
        EXPECT_EQ(settings::writeValue(registry(), open.key(), "n", StoredType::RegDword, number), kErrorSuccess);
        const auto bits = static_cast<std::uint32_t>(number);
        EXPECT_EQ(getRaw("n"),
                  (RawValue{kRegDword, bytes({bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF, bits >> 24})}));
        SettingsValue back;
        EXPECT_EQ(settings::readValue(registry(), open.key(), "n", back), kErrorSuccess);
        EXPECT_TRUE(back.isNumber());
        EXPECT_EQ(back, SettingsValue(number));
    }
}

TEST_P(RegistryContract, TheStoredTypeFollowsTheRequestedTypeNotTheValue) {
    ASSERT_EQ(settings::createKey(registry(), root(), at()), kErrorSuccess);
    settings::saveValue(registry(), root(), at(), "numberAsText", std::int32_t{42}, StoredType::RegSz);
    settings::saveValue(registry(), root(), at(), "textAsNumber", "-7", StoredType::RegDword);
    EXPECT_EQ(getRaw("numberAsText"), (RawValue{kRegSz, utf16le(u"42")}));
    EXPECT_EQ(getRaw("textAsNumber"), (RawValue{kRegDword, bytes({0xF9, 0xFF, 0xFF, 0xFF})}));
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "numberAsText"), SettingsValue("42"));
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "textAsNumber"), SettingsValue(-7));
}

TEST_P(RegistryContract, AWriteReplacesAValueOfAnotherType) {
    putRaw("v", kRegDword, bytes({1, 0, 0, 0}));
    settings::saveValue(registry(), root(), at(), "v", "1", StoredType::RegSz);
    EXPECT_EQ(getRaw("v"), (RawValue{kRegSz, utf16le(u"1")}));
}

TEST_P(RegistryContract, WritingBelowAMissingKeyStoresNothingAndCreatesNoKey) {
    ASSERT_EQ(settings::createKey(registry(), root(), at()), kErrorSuccess);
    EXPECT_NE(settings::saveValue(registry(), root(), at("Missing"), "v", "x", StoredType::RegSz), kErrorSuccess);
    EXPECT_FALSE(keyExists(at("Missing")));
}

TEST_P(RegistryContract, AnUnknownTypeWritesNothingAndReportsSuccess) {
    OpenKey open(registry(), root(), at());
    for (std::int32_t type : {0, 2, 3, 7, 11, -1}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(settings::writeValue(registry(), open.key(), "v", static_cast<StoredType>(type), "x"), kErrorSuccess);
        EXPECT_EQ(getRaw("v"), std::nullopt);
    }
    EXPECT_EQ(settings::saveValue(registry(), root(), at(), "v", "x", static_cast<StoredType>(2)), kErrorSuccess);
    EXPECT_EQ(getRaw("v"), std::nullopt);
}

TEST_P(RegistryContract, TheEmptyValueIsWrittenAsAnEmptyText) {
    ASSERT_EQ(settings::createKey(registry(), root(), at()), kErrorSuccess);
    settings::saveValue(registry(), root(), at(), "v", SettingsValue(), StoredType::RegSz);
    EXPECT_EQ(getRaw("v"), (RawValue{kRegSz, {}}));
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "v"), SettingsValue(""));
}

TEST_P(RegistryContract, CreateKeyMakesEveryMissingLevelAndKeepsAnExistingKeysValues) {
    ASSERT_EQ(settings::createKey(registry(), root(), at("A\\B\\C")), kErrorSuccess);
    EXPECT_TRUE(keyExists(at("A")));
    EXPECT_TRUE(keyExists(at("A\\B")));
    EXPECT_TRUE(keyExists(at("A\\B\\C")));
    putRaw("v", kRegSz, utf16le(u"kept"), "A\\B");
    EXPECT_EQ(settings::createKey(registry(), root(), at("A\\B")), kErrorSuccess);
    EXPECT_EQ(getRaw("v", "A\\B"), (RawValue{kRegSz, utf16le(u"kept")}));
}

TEST_P(RegistryContract, KeyPathsAndValueNamesOutsideTheSystemCodePage) {
    const std::string sub = "\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE \xE6\x98\xA0\xE7\x94\xBB";
    const std::string name = "\xC3\xBC\xC3\xA9\xE2\x82\xAC";
    ASSERT_EQ(settings::createKey(registry(), root(), at(sub)), kErrorSuccess);
    EXPECT_EQ(settings::saveValue(registry(), root(), at(sub), name, "x", StoredType::RegSz), kErrorSuccess);
    EXPECT_EQ(settings::loadValue(registry(), root(), at(sub), name), SettingsValue("x"));
}

// --- Handles and rights -----------------------------------------------------

TEST_P(RegistryContract, ReadsAskForReadRightsOnlyAndWritesKeepTheHistoricalMask) {
    ASSERT_EQ(settings::createKey(registry(), root(), at()), kErrorSuccess);
    settings::saveValue(registry(), root(), at(), "v", "x", StoredType::RegSz);
    ASSERT_EQ(registry().createMasks, (std::vector<std::uint32_t>{settings::kWriteAccessMask}));
    ASSERT_EQ(registry().openMasks, (std::vector<std::uint32_t>{settings::kWriteAccessMask}));

    registry().openMasks.clear();
    EXPECT_EQ(settings::loadValue(registry(), root(), at(), "v"), SettingsValue("x"));
    ASSERT_EQ(registry().openMasks.size(), 1u);
    EXPECT_EQ(registry().openMasks[0] & kWriteRights, 0u);
    EXPECT_EQ(registry().openHandles(), 0);
}

}  // namespace morvane::testing
