#pragma once

#include <cstddef>
#include <cstdint>

// Start codes and header bit positions of an MPEG-2 video elementary stream
// (ISO/IEC 13818-2). Offsets count from the first byte of the start code.
namespace morvane::pulldown::mpeg2 {

inline constexpr std::uint8_t kPictureStart = 0x00;
inline constexpr std::uint8_t kLastSliceStart = 0xAF;
inline constexpr std::uint8_t kUserData = 0xB2;
inline constexpr std::uint8_t kSequenceHeader = 0xB3;
inline constexpr std::uint8_t kExtensionStart = 0xB5;
inline constexpr std::uint8_t kSequenceEnd = 0xB7;
inline constexpr std::uint8_t kGroupStart = 0xB8;
inline constexpr std::uint8_t kPackStart = 0xBA;
inline constexpr std::uint8_t kSystemHeader = 0xBB;

inline constexpr std::uint8_t kSequenceExtensionId = 1;
inline constexpr std::uint8_t kPictureCodingExtensionId = 8;

inline constexpr std::uint8_t kTransportSync = 0x47;
inline constexpr std::size_t kTransportPacketBytes = 188;

// Bytes of each header this program reads or changes.
inline constexpr std::size_t kStartCodeBytes = 4;
inline constexpr std::size_t kSequenceHeaderBytes = 8;
inline constexpr std::size_t kGroupHeaderBytes = 8;
inline constexpr std::size_t kPictureHeaderBytes = 6;
inline constexpr std::size_t kExtensionIdBytes = 5;
inline constexpr std::size_t kSequenceExtensionBytes = 10;
inline constexpr std::size_t kPictureCodingExtensionBytes = 9;
inline constexpr std::size_t kLongestHeaderBytes = kSequenceExtensionBytes;

// sequence_header: frame_rate_code is the low nibble of byte 7.
inline constexpr std::size_t kFrameRateByte = 7;
inline constexpr std::uint8_t kFrameRateMask = 0x0F;
inline constexpr std::uint8_t kRate23976 = 1;
inline constexpr std::uint8_t kRate24 = 2;
inline constexpr std::uint8_t kRate2997 = 4;
inline constexpr std::uint8_t kRate30 = 5;

// sequence_extension
inline constexpr std::size_t kProgressiveSequenceByte = 5;
inline constexpr std::uint8_t kProgressiveSequenceBit = 0x08;
inline constexpr std::uint8_t kChroma420 = 1;

// picture_coding_extension
inline constexpr std::size_t kPictureStructureByte = 6;
inline constexpr std::uint8_t kPictureStructureMask = 0x03;
inline constexpr std::uint8_t kFramePicture = 3;
inline constexpr std::size_t kFieldFlagsByte = 7;
inline constexpr std::uint8_t kTopFieldFirstBit = 0x80;
inline constexpr std::uint8_t kRepeatFirstFieldBit = 0x02;
inline constexpr std::uint8_t kChroma420TypeBit = 0x01;
inline constexpr std::size_t kProgressiveFrameByte = 8;
inline constexpr std::uint8_t kProgressiveFrameBit = 0x80;

// temporal_reference has 10 bits and wraps.
inline constexpr std::int64_t kTemporalReferenceModulus = 1024;

}  // namespace morvane::pulldown::mpeg2
