/* yovfinder.h: the C interface of the YOVFinder camera library.
 *
 * Conventions of the boundary:
 *  1. A finder handle is an opaque pointer made by YOVCreateFinder and passed first to every
 *     export except the three text helpers. A NULL handle is accepted everywhere and yields the
 *     export's "missing handle" result; a non-NULL handle is trusted.
 *  2. Exports return 0 for success and a negative YOV_E* code for failure. No exception ever
 *     crosses the boundary.
 *  3. Records are packed, little-endian, in caller memory. The library never keeps a pointer
 *     given by the caller beyond the call, except the notification sink. The only memory it
 *     hands out is the buffer of YOVUTF8ToWChar / YOVWCharToUTF8, freed with YOVReleaseBuffer.
 *  4. A camera is addressed by its 0-based index in the finder's list, valid until the next
 *     search; its lasting identity is its 6-byte MAC address (YOVFindCameraIdxByMAC).
 *  5. Synchronous exports block the calling thread for their request/reply exchanges
 *     (up to seven attempts of about two seconds each). Background searches run on a worker
 *     thread that *sends* YOV_NOTIFY_CAMERA_FOUND and YOV_NOTIFY_SEARCH_DONE through the sink
 *     (the worker waits until the receiver has handled them); delayed completions and WPS
 *     outcomes are *posted*.
 *  6. While a background search runs, the caller must not call per-camera exports or
 *     YOVGetCameraNum except from inside the notifications it sends.
 *  7. Text arguments (user names, passwords, ...) are 8-bit text in the locale's character
 *     set (YOV_CODEPAGE overrides it); addresses in records are dotted-decimal ASCII.
 *  8. YOV_ADAPTERS, a comma-separated list of interface names, restricts the adapters used.
 */
#ifndef YOVFINDER_H
#define YOVFINDER_H

#include <stddef.h>
#include <stdint.h>
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define YOV_EXPORT __attribute__((visibility("default")))
#else
#define YOV_EXPORT
#endif

#ifdef __cplusplus
#define YOV_STATIC_ASSERT static_assert
#else
#define YOV_STATIC_ASSERT _Static_assert
#endif

/* Return codes. */
enum {
    YOV_OK = 0,
    YOV_E_FAILED = -1,        /* NULL handle, bad index, no valid reply, refused */
    YOV_E_AUTH = -2,          /* credentials refused */
    YOV_E_INVALID = -3,       /* NULL pointer, unknown mode, no live sink for background work */
    YOV_E_SMALL_BUFFER = -4,  /* required size written back through the size argument */
    YOV_E_BUSY = -5,          /* a background operation of the same kind is still running */
    YOV_E_CAP_SMALL = -6,     /* YOVGetWirelessCapability: buffer too small */
    YOV_E_NOT_FOUND = -7,     /* nothing found, or the camera stayed not ready */
    YOV_E_STATUS4 = -8,       /* YOVFinderVerifyAuth: the camera answered status 4 */
    YOV_E_VALUE2 = -9         /* YOVFinderVerifyAuth: the camera answered value 2 */
};

/* First parameter of the notifications. */
enum {
    YOV_NOTIFY_SEARCH_DONE = 1,
    YOV_NOTIFY_CAMERA_FOUND = 100,      /* lparam: const _YOVCamSettings*, valid during the call */
    YOV_NOTIFY_DELAYED_COMPLETION = 200, /* lparam: camera index */
    YOV_NOTIFY_WPS_DONE = 300            /* lparam: WPS return code */
};

/* Receiver of notifications; stands for a window and its message queue.
 * alive: non-zero while the receiver accepts messages.
 * send:  delivers and returns only after the receiver has handled the message.
 * post:  queues the message and returns at once; non-zero when queued.
 * The sink must stay valid until YOVDestroyFinder returns or another sink is set. */
typedef struct YOVNotifySink YOVNotifySink;
struct YOVNotifySink {
    int (*alive)(YOVNotifySink *sink);
    intptr_t (*send)(YOVNotifySink *sink, unsigned msg, uintptr_t wparam, intptr_t lparam);
    int (*post)(YOVNotifySink *sink, unsigned msg, uintptr_t wparam, intptr_t lparam);
};

typedef void *YOVFinderHandle;

#pragma pack(push, 1)

/* Calendar time: year, month, day of week, day, hour, minute, second, milliseconds. */
typedef struct _YOVCalendarTime {
    uint16_t Year, Month, DayOfWeek, Day, Hour, Minute, Second, Milliseconds;
} _YOVCalendarTime;

typedef struct _YOVCamSettings {
    uint32_t Version;          /* 1: from a camera search; 2: from a remote-access search */
    uint32_t Size;             /* 480 */
    uint32_t DhcpEnabled;
    char IpAddress[16];
    char SubnetMask[16];
    char Gateway[16];
    char PrimaryDns[16];
    char SecondaryDns[16];
    uint8_t NetOption;
    uint8_t Flags;             /* bit 0 remote access offered, bit 1 HTTPS */
    uint8_t Pad94[2];
    char CameraName[64];
    uint16_t HttpPort;
    uint8_t Pad162[2];
    uint8_t MacAddress[6];
    char Brand[64];
    char InfoText1[64];
    char Model[32];
    char InfoText2[32];
    char RemoteText1[64];
    char RemoteText2[32];
    uint16_t RemoteValue;
    uint16_t InfoValue1;
    uint8_t Pad462[2];
    uint32_t Capabilities;     /* bit 0: can be set up for wireless */
    _YOVCalendarTime CameraTime;
    uint16_t InfoValue3;
    uint8_t InfoValue4;
    uint8_t Pad487;
} _YOVCamSettings;

typedef struct _YOVFinderResult {
    int32_t ErrorCode;
    int32_t Value;
    uint32_t WaitTime;
} _YOVFinderResult;

typedef struct _YOVCamNetwork {
    uint32_t DhcpEnabled;
    char IpAddress[16];
    char SubnetMask[16];
    char Gateway[16];
    char PrimaryDns[16];
    char SecondaryDns[16];
} _YOVCamNetwork;

typedef struct _YOVThruInterface {
    uint32_t DhcpEnabled;
    char IpAddress[16];
    char SubnetMask[16];
    char Gateway[16];
    char PrimaryDns[16];
    char SecondaryDns[16];
    uint8_t MacAddress[6];
    uint8_t Pad90[2];
} _YOVThruInterface;

typedef struct _YOVCamDatetime {
    uint32_t Version;
    uint32_t Size;             /* 108 */
    _YOVCalendarTime CameraTime;
    uint16_t TimeOption1;
    uint8_t Pad26[2];
    uint32_t TimeOption2;
    uint32_t TimeOption3;
    char TimeText[64];
    uint8_t Unused100[16];
} _YOVCamDatetime;

typedef struct _YOVAdvNetwork {
    uint32_t Version;
    uint32_t Size;             /* 340 */
    uint32_t ValidMask;
    uint32_t Flag0;
    uint32_t PppoeEnabled;
    uint32_t Flag1;
    char PppoeUser[64];
    char PppoePassword[64];
    uint8_t AdvOption;
    char AdvText1[64];
    char AdvText2[64];
    char AdvText3[64];
    uint8_t Pad345[3];
} _YOVAdvNetwork;

typedef struct _YOVWireless {
    uint32_t Version;
    uint32_t Size;             /* 268 */
    uint32_t WirelessEnabled;
    uint32_t WirelessMode;
    char Ssid[33];
    uint8_t Pad49[3];
    uint32_t Channel;
    uint32_t Authentication;
    uint32_t Encryption;
    uint32_t WepKeyLength;
    uint32_t WepKeyFormat;
    uint32_t WepKeyIndex;
    char WepKeys[4][32];
    char Passphrase[65];
    uint8_t Pad269[3];
    uint32_t WirelessOption;
} _YOVWireless;

typedef struct _YOVSimpleWireless {
    uint32_t Version;
    uint32_t Size;             /* 124 */
    uint32_t SimpleValue1;
    char Ssid[33];
    uint8_t Pad45[3];
    uint32_t SimpleValue2;
    uint32_t SimpleValue3;
    uint32_t SimpleValue4;
    uint32_t SimpleValue5;
    char SimpleKey[65];
    uint8_t Pad129[3];
} _YOVSimpleWireless;

typedef struct _YOVWirelessCapability {
    uint32_t Version;
    uint32_t Size;             /* 16 */
    uint32_t ChannelMask;
    uint8_t Modes;
    uint8_t Encryptions;
    uint8_t Authentications;
    uint8_t CapabilityBytes[3];
    uint8_t Pad18[2];
    uint32_t CapabilityValue;
} _YOVWirelessCapability;

typedef struct _YOVSiteSurveyStation {
    char Ssid[36];
    uint32_t SignalStrength;
    uint32_t StationMode;
    uint32_t StationEncryption;
    uint32_t StationAuthentication;
    uint32_t StationChannel;   /* channel number minus 1 */
} _YOVSiteSurveyStation;

typedef struct _YOVCamNetworkStatus {
    uint32_t StatusValue;
    char StatusAddress1[16];
    uint32_t State;            /* 1 in progress, 3 failed, other finished */
    char StatusAddress2[16];
    uint32_t FailReason;
} _YOVCamNetworkStatus;

typedef struct _YOVWirelessAssociatedStatus {
    uint32_t AssocValue1;
    uint32_t AssocValue2;
    char AssocText[36];
} _YOVWirelessAssociatedStatus;

#pragma pack(pop)

#define YOV_CHECK_SIZE(T, n) YOV_STATIC_ASSERT(sizeof(T) == (n), #T " size")
#define YOV_CHECK_AT(T, f, n) YOV_STATIC_ASSERT(offsetof(T, f) == (n), #T "." #f " offset")

YOV_CHECK_SIZE(_YOVCalendarTime, 16);

YOV_CHECK_SIZE(_YOVCamSettings, 488);
YOV_CHECK_AT(_YOVCamSettings, Version, 0);
YOV_CHECK_AT(_YOVCamSettings, Size, 4);
YOV_CHECK_AT(_YOVCamSettings, DhcpEnabled, 8);
YOV_CHECK_AT(_YOVCamSettings, IpAddress, 12);
YOV_CHECK_AT(_YOVCamSettings, SubnetMask, 28);
YOV_CHECK_AT(_YOVCamSettings, Gateway, 44);
YOV_CHECK_AT(_YOVCamSettings, PrimaryDns, 60);
YOV_CHECK_AT(_YOVCamSettings, SecondaryDns, 76);
YOV_CHECK_AT(_YOVCamSettings, NetOption, 92);
YOV_CHECK_AT(_YOVCamSettings, Flags, 93);
YOV_CHECK_AT(_YOVCamSettings, CameraName, 96);
YOV_CHECK_AT(_YOVCamSettings, HttpPort, 160);
YOV_CHECK_AT(_YOVCamSettings, MacAddress, 164);
YOV_CHECK_AT(_YOVCamSettings, Brand, 170);
YOV_CHECK_AT(_YOVCamSettings, InfoText1, 234);
YOV_CHECK_AT(_YOVCamSettings, Model, 298);
YOV_CHECK_AT(_YOVCamSettings, InfoText2, 330);
YOV_CHECK_AT(_YOVCamSettings, RemoteText1, 362);
YOV_CHECK_AT(_YOVCamSettings, RemoteText2, 426);
YOV_CHECK_AT(_YOVCamSettings, RemoteValue, 458);
YOV_CHECK_AT(_YOVCamSettings, InfoValue1, 460);
YOV_CHECK_AT(_YOVCamSettings, Capabilities, 464);
YOV_CHECK_AT(_YOVCamSettings, CameraTime, 468);
YOV_CHECK_AT(_YOVCamSettings, InfoValue3, 484);
YOV_CHECK_AT(_YOVCamSettings, InfoValue4, 486);

YOV_CHECK_SIZE(_YOVFinderResult, 12);
YOV_CHECK_AT(_YOVFinderResult, ErrorCode, 0);
YOV_CHECK_AT(_YOVFinderResult, Value, 4);
YOV_CHECK_AT(_YOVFinderResult, WaitTime, 8);

YOV_CHECK_SIZE(_YOVCamNetwork, 84);
YOV_CHECK_AT(_YOVCamNetwork, DhcpEnabled, 0);
YOV_CHECK_AT(_YOVCamNetwork, IpAddress, 4);
YOV_CHECK_AT(_YOVCamNetwork, SubnetMask, 20);
YOV_CHECK_AT(_YOVCamNetwork, Gateway, 36);
YOV_CHECK_AT(_YOVCamNetwork, PrimaryDns, 52);
YOV_CHECK_AT(_YOVCamNetwork, SecondaryDns, 68);

YOV_CHECK_SIZE(_YOVThruInterface, 92);
YOV_CHECK_AT(_YOVThruInterface, SecondaryDns, 68);
YOV_CHECK_AT(_YOVThruInterface, MacAddress, 84);

YOV_CHECK_SIZE(_YOVCamDatetime, 116);
YOV_CHECK_AT(_YOVCamDatetime, CameraTime, 8);
YOV_CHECK_AT(_YOVCamDatetime, TimeOption1, 24);
YOV_CHECK_AT(_YOVCamDatetime, TimeOption2, 28);
YOV_CHECK_AT(_YOVCamDatetime, TimeOption3, 32);
YOV_CHECK_AT(_YOVCamDatetime, TimeText, 36);
YOV_CHECK_AT(_YOVCamDatetime, Unused100, 100);

YOV_CHECK_SIZE(_YOVAdvNetwork, 348);
YOV_CHECK_AT(_YOVAdvNetwork, ValidMask, 8);
YOV_CHECK_AT(_YOVAdvNetwork, Flag0, 12);
YOV_CHECK_AT(_YOVAdvNetwork, PppoeEnabled, 16);
YOV_CHECK_AT(_YOVAdvNetwork, Flag1, 20);
YOV_CHECK_AT(_YOVAdvNetwork, PppoeUser, 24);
YOV_CHECK_AT(_YOVAdvNetwork, PppoePassword, 88);
YOV_CHECK_AT(_YOVAdvNetwork, AdvOption, 152);
YOV_CHECK_AT(_YOVAdvNetwork, AdvText1, 153);
YOV_CHECK_AT(_YOVAdvNetwork, AdvText2, 217);
YOV_CHECK_AT(_YOVAdvNetwork, AdvText3, 281);

YOV_CHECK_SIZE(_YOVWireless, 276);
YOV_CHECK_AT(_YOVWireless, WirelessEnabled, 8);
YOV_CHECK_AT(_YOVWireless, WirelessMode, 12);
YOV_CHECK_AT(_YOVWireless, Ssid, 16);
YOV_CHECK_AT(_YOVWireless, Channel, 52);
YOV_CHECK_AT(_YOVWireless, Authentication, 56);
YOV_CHECK_AT(_YOVWireless, Encryption, 60);
YOV_CHECK_AT(_YOVWireless, WepKeyLength, 64);
YOV_CHECK_AT(_YOVWireless, WepKeyFormat, 68);
YOV_CHECK_AT(_YOVWireless, WepKeyIndex, 72);
YOV_CHECK_AT(_YOVWireless, WepKeys, 76);
YOV_CHECK_AT(_YOVWireless, Passphrase, 204);
YOV_CHECK_AT(_YOVWireless, WirelessOption, 272);

YOV_CHECK_SIZE(_YOVSimpleWireless, 132);
YOV_CHECK_AT(_YOVSimpleWireless, SimpleValue1, 8);
YOV_CHECK_AT(_YOVSimpleWireless, Ssid, 12);
YOV_CHECK_AT(_YOVSimpleWireless, SimpleValue2, 48);
YOV_CHECK_AT(_YOVSimpleWireless, SimpleValue3, 52);
YOV_CHECK_AT(_YOVSimpleWireless, SimpleValue4, 56);
YOV_CHECK_AT(_YOVSimpleWireless, SimpleValue5, 60);
YOV_CHECK_AT(_YOVSimpleWireless, SimpleKey, 64);

YOV_CHECK_SIZE(_YOVWirelessCapability, 24);
YOV_CHECK_AT(_YOVWirelessCapability, ChannelMask, 8);
YOV_CHECK_AT(_YOVWirelessCapability, Modes, 12);
YOV_CHECK_AT(_YOVWirelessCapability, Encryptions, 13);
YOV_CHECK_AT(_YOVWirelessCapability, Authentications, 14);
YOV_CHECK_AT(_YOVWirelessCapability, CapabilityBytes, 15);
YOV_CHECK_AT(_YOVWirelessCapability, CapabilityValue, 20);

YOV_CHECK_SIZE(_YOVSiteSurveyStation, 56);
YOV_CHECK_AT(_YOVSiteSurveyStation, SignalStrength, 36);
YOV_CHECK_AT(_YOVSiteSurveyStation, StationMode, 40);
YOV_CHECK_AT(_YOVSiteSurveyStation, StationEncryption, 44);
YOV_CHECK_AT(_YOVSiteSurveyStation, StationAuthentication, 48);
YOV_CHECK_AT(_YOVSiteSurveyStation, StationChannel, 52);

YOV_CHECK_SIZE(_YOVCamNetworkStatus, 44);
YOV_CHECK_AT(_YOVCamNetworkStatus, StatusAddress1, 4);
YOV_CHECK_AT(_YOVCamNetworkStatus, State, 20);
YOV_CHECK_AT(_YOVCamNetworkStatus, StatusAddress2, 24);
YOV_CHECK_AT(_YOVCamNetworkStatus, FailReason, 40);

YOV_CHECK_SIZE(_YOVWirelessAssociatedStatus, 44);
YOV_CHECK_AT(_YOVWirelessAssociatedStatus, AssocValue2, 4);
YOV_CHECK_AT(_YOVWirelessAssociatedStatus, AssocText, 8);

/* ---- Life cycle and notifications ---- */

/* Creates a finder; `reserved` is ignored. NULL when it cannot be created. */
YOV_EXPORT YOVFinderHandle YOVCreateFinder(int reserved);
/* Waits without limit for the finder's workers, then frees everything. Must not be called from
 * the thread that handles the sink's sent messages while a search worker runs. */
YOV_EXPORT void YOVDestroyFinder(YOVFinderHandle finder);
/* Stores the notification sink and message number. 1, or 0 for a NULL handle. */
YOV_EXPORT int YOVFinderSetOverlapNotify(YOVFinderHandle finder, YOVNotifySink *sink,
                                         unsigned message);

/* ---- Search and camera list ---- */

/* Searches every adapter (3 s after the last reply on each). background 0: 0 when any reply
 * arrived, else -1. background 1: 0 started, -3 no live sink, -5 a search still runs.
 * A search empties the camera list, so it is also refused (-5, or -1 in the foreground) while
 * a WPS worker or a remote-access search still uses the list. */
YOV_EXPORT int YOVFinderSearch(YOVFinderHandle finder, int background);
YOV_EXPORT int YOVGetCameraNum(YOVFinderHandle finder);
YOV_EXPORT int YOVGetCameraMAC(YOVFinderHandle finder, int index, uint8_t mac[6]);
/* Highest index whose MAC equals `mac`, or -1. */
YOV_EXPORT int YOVFindCameraIdxByMAC(YOVFinderHandle finder, const uint8_t mac[6]);

/* ---- Camera information ---- */

/* Refreshes the camera, then fills a version-1 record. A NULL record or *size below 488
 * gives -4 with 488 written to *size. */
YOV_EXPORT int YOVGetCameraInfo(YOVFinderHandle finder, int index, _YOVCamSettings *info,
                                unsigned long *size);
/* The record of the last search, without a refresh; info->Version 2 asks for the
 * remote-access variant. */
YOV_EXPORT int YOVGetCameraInfoL(YOVFinderHandle finder, int index, _YOVCamSettings *info,
                                 unsigned long *size);
/* Refreshes the camera, then fills its address settings. */
YOV_EXPORT int YOVGetCameraNetwork(YOVFinderHandle finder, int index, _YOVCamNetwork *network);

/* ---- Set-type exports ----
 * Every export that changes a camera ends with `result` (may be NULL) and `background`.
 * After the operation, whatever its outcome, the camera's result triple (ErrorCode of a
 * refusal; Value and WaitTime of an acceptance) is copied to `result` when the index is valid.
 * After a success with a WaitTime: background 0 sleeps WaitTime ms before returning;
 * background 1 returns at once and, with a live sink, YOV_NOTIFY_DELAYED_COMPLETION (lparam:
 * the camera index) is posted WaitTime ms later (never after YOVDestroyFinder has returned).
 * They return 0, or -1 for a NULL handle, a bad index, no valid reply, a refusal or a record
 * that fails its checks (Version 1 and the record's Size); -3 for a NULL record. */

/* Stores the pair (ANSI text; NULL counts as empty) in the finder and in the camera; every
 * later request to that camera carries it. 0, or -1 for a bad index. */
YOV_EXPORT int YOVSetFinderCamAuth(YOVFinderHandle finder, int index, const char *user,
                                   const char *password);
/* Checks the stored pair with the camera: 0 accepted, -2 refused, -8 the camera answered
 * status 4, -9 it answered value 2, -1 no valid reply. */
YOV_EXPORT int YOVFinderVerifyAuth(YOVFinderHandle finder, int index);
/* Changes the administrator pair; a NULL or empty `user` keeps the current user name. When the
 * change fails after more than 10 s, the new pair is checked with the camera and a camera that
 * accepts it counts as changed. The camera keeps the pair of YOVSetFinderCamAuth: set the new
 * one there after a success. */
YOV_EXPORT int YOVChangeAdminPassword(YOVFinderHandle finder, int index, const char *user,
                                      const char *password, _YOVFinderResult *result,
                                      int background);

/* ---- Camera settings, clock, restart ---- */

/* Sends DhcpEnabled, the five addresses, NetOption, Flags, CameraName and HttpPort. Needs
 * Version 1 and Size >= 156; `size` is not used. */
YOV_EXPORT int YOVSetCameraInfo(YOVFinderHandle finder, int index, const _YOVCamSettings *info,
                                int size, _YOVFinderResult *result, int background);
/* Sends the address settings only (unparsable text and "255.255.255.255" become 0.0.0.0).
 * The last two arguments are not used. 0 or -1 (-3 for a NULL record). */
YOV_EXPORT int YOVSetCameraNetwork(YOVFinderHandle finder, int index,
                                   const _YOVCamNetwork *network, int reserved1, int reserved2);
/* Getters with an in/out size: *size below the record's size gives -4 with the size written
 * back; a NULL record or size gives -3. */
YOV_EXPORT int YOVGetCameraDatetime(YOVFinderHandle finder, int index, _YOVCamDatetime *datetime,
                                    unsigned long *size);
/* Needs Version 1 and Size 108; `size` is not used. */
YOV_EXPORT int YOVSetCameraDatetime(YOVFinderHandle finder, int index,
                                    const _YOVCamDatetime *datetime, int size,
                                    _YOVFinderResult *result, int background);
YOV_EXPORT int YOVResetCamera(YOVFinderHandle finder, int index, _YOVFinderResult *result,
                              int background);
YOV_EXPORT int YOVFactoryResetCamera(YOVFinderHandle finder, int index, _YOVFinderResult *result,
                                     int background);
/* Makes pending settings take effect (cameras listing option 192). */
YOV_EXPORT int YOVCommitSettings(YOVFinderHandle finder, int index, _YOVFinderResult *result,
                                 int background);

/* ---- Advanced network and provider list ---- */

/* Also refreshes the camera's provider list kept by the finder. */
YOV_EXPORT int YOVGetAdvNetwork(YOVFinderHandle finder, int index, _YOVAdvNetwork *network,
                                unsigned long *size);
/* Needs `size` 348, Version 1 and Size 340. Sends each flag only when its ValidMask bit is set
 * and the PPPoE user and password only with bit 3. */
YOV_EXPORT int YOVSetAdvNetwork(YOVFinderHandle finder, int index, const _YOVAdvNetwork *network,
                                int size, _YOVFinderResult *result, int background);
/* The provider list is read from the camera when it was never read or is older than 60 s.
 * Count: 0, -1 bad index, -3 NULL count. */
YOV_EXPORT int YOVGetDDNSProvidersCount(YOVFinderHandle finder, int index, int *count);
/* Copies the name at `position` (ANSI text, NUL-terminated) into `buffer` of `size` bytes:
 * 0; -1 no such name; -3 NULL buffer; -4 the name was cut to fit. */
YOV_EXPORT int YOVGetDDNSProviderList(YOVFinderHandle finder, int index, int position,
                                      char *buffer, int size);

/* ---- Wireless ---- */

YOV_EXPORT int YOVGetWireless(YOVFinderHandle finder, int index, _YOVWireless *wireless,
                              unsigned long *size);
/* Needs `size` 276, Version 1 and Size 268. The 4-bit fields keep their low 4 bits. */
YOV_EXPORT int YOVSetWireless(YOVFinderHandle finder, int index, const _YOVWireless *wireless,
                              int size, _YOVFinderResult *result, int background);
/* As the getters, but a too small *size gives -6 (not -4) with 24 written back. */
YOV_EXPORT int YOVGetWirelessCapability(YOVFinderHandle finder, int index,
                                        _YOVWirelessCapability *capability, unsigned long *size);
YOV_EXPORT int YOVGetSimpleWireless(YOVFinderHandle finder, int index,
                                    _YOVSimpleWireless *wireless, unsigned long *size);
/* Needs `size` 132, Version 1 and Size 124. */
YOV_EXPORT int YOVSetSimpleWireless(YOVFinderHandle finder, int index,
                                    const _YOVSimpleWireless *wireless, int size,
                                    _YOVFinderResult *result, int background);
/* The optional command codes (166..201) the camera lists; asked once, then kept. *count in:
 * capacity in entries; out: the number of codes. -4 (with the number written) when the
 * capacity is too small. A camera that lists none is asked again next time. */
YOV_EXPORT int YOVGetLANDAPOptionCmd(YOVFinderHandle finder, int index, unsigned short *codes,
                                     int *count);
/* Makes the camera scan for access points; read the result with YOVGetWirelessSiteSurInfo. */
YOV_EXPORT int YOVInitWirelessSiteSurvey(YOVFinderHandle finder, int index,
                                         _YOVFinderResult *result, int background);
/* The scan results (over one or more datagrams). *count in: capacity in entries; out: the
 * number of stations. -4 (with the number written) when the capacity is too small. */
YOV_EXPORT int YOVGetWirelessSiteSurInfo(YOVFinderHandle finder, int index,
                                         _YOVSiteSurveyStation *stations, int *count);
/* The camera's own WPS PIN as NUL-terminated text: 0; -3 NULL buffer; -4 `size` 8 or less,
 * or the PIN was cut to fit; -1 no valid reply or an empty PIN. The last argument is unused. */
YOV_EXPORT int YOVGetCameraWPSPIN(YOVFinderHandle finder, int index, char *buffer, int size,
                                  int reserved);
/* Asked from every adapter (the camera may have moved to another network). *size at least 44. */
YOV_EXPORT int YOVGetWirelessAssociatedStatus(YOVFinderHandle finder, int index,
                                              _YOVWirelessAssociatedStatus *status,
                                              unsigned long *size);

/* ---- Text helpers ---- */

/* Converts to a newly allocated UTF-16 (wchar_t here: UTF-32 on Linux) or UTF-8 buffer that
 * the caller frees with YOVReleaseBuffer. -3 when a pointer is NULL. */
YOV_EXPORT int YOVUTF8ToWChar(const char *utf8, wchar_t **out);
YOV_EXPORT int YOVWCharToUTF8(const wchar_t *wide, char **out);
YOV_EXPORT void YOVReleaseBuffer(void *buffer);

/* ---- WPS, host-side helpers and the remote-access service ---- */

/* Joins the camera to a network by WPS; mode 1 PIN, 2 push button. A camera that lists option
 * 178 gets the secure method (key agreement; in PIN mode the library generates the PIN and
 * `pin` is not used; the camera has 120 s to finish); otherwise the older method (one start,
 * one result poll; PIN mode needs a PIN of at least 8 characters).
 * background 0: runs on the caller's thread, 0 or -1.
 * background 1: returns 0 at once and posts YOV_NOTIFY_WPS_DONE with 0, -1, -3 (no PIN or no
 * session), -6 (mode not offered), -7 (the camera did not finish within 120 s); -3 without
 * a live sink.
 * Either way: -3 for an unknown mode, -5 while a WPS worker still runs. */
YOV_EXPORT int YOVCameraWPS(YOVFinderHandle finder, int index, int mode, const char *pin,
                            int background);

/* Text results below use a char buffer with a short size: capacity in, length with the NUL
 * out; -4 with the needed length in *size when the buffer is too small. NULL buffer or size:
 * -3. They probe the adapter through which the camera was found. */

/* The local interface that reaches the camera (re-resolved by hardware address, as the PC's
 * address may have changed since the search). Fields of an adapter that is gone stay as they
 * were. -3 NULL record, -1 bad index or no such adapter in the last search. */
YOV_EXPORT int YOVGetThruInterface(YOVFinderHandle finder, int index, _YOVThruInterface *out);
/* Broadcasts one DHCPDISCOVER from port 68 and reports the first host that answered (after
 * 2 s of quiet); -7 with *size 0 when none did. */
YOV_EXPORT int YOVDHCPDiscover(YOVFinderHandle finder, int index, char *buffer, short *size);
/* The lowest address of the adapter's subnet that no host answers by ARP (the adapter's own
 * address counts as used); -7 with *size 0 when none is free. About one second per gap. */
YOV_EXPORT int YOVGetFreeIP(YOVFinderHandle finder, int index, char *buffer, short *size);
/* Progress of the camera's network change. -3 NULL record, -1 no valid reply. */
YOV_EXPORT int YOVQueryNetworkStatus(YOVFinderHandle finder, int index,
                                     _YOVCamNetworkStatus *status);
/* Can the camera reach a PPPoE server / has its PPPoE link come up: *out = the camera's answer
 * byte. Asks again while the camera is not ready, up to 60 s (then -7). */
YOV_EXPORT int YOVQueryPPPoEAvailable(YOVFinderHandle finder, int index, int *out);
YOV_EXPORT int YOVQueryPPPoEDone(YOVFinderHandle finder, int index, int *out);

/* Remote-access service (port 62977). -1 for a NULL handle, a bad index or no valid reply;
 * -2 when the camera refuses the credentials; -3 for a NULL output pointer. */
YOV_EXPORT int YOVOstrel12QueryIPEnvironment(YOVFinderHandle finder, int index, int *out1,
                                             int *out2);
/* -7 when the camera does not answer (outputs untouched); a reply of another request gives -1
 * with the outputs written from it. */
YOV_EXPORT int YOVOstrel12QueryProcState(YOVFinderHandle finder, int index, int *state,
                                         int *detail, int *extra);
/* Switches the service on (1) or off (0); set-type tail as the other setters, -2 refused
 * credentials. */
YOV_EXPORT int YOVEnableOstrel12(YOVFinderHandle finder, int index, int enable,
                                 _YOVFinderResult *result, int background);
/* -7 when the camera does not answer (output untouched). */
YOV_EXPORT int YOVGetOstrel12Enabled(YOVFinderHandle finder, int index, int *enabled);
YOV_EXPORT int YOVQueryOstrel12URL(YOVFinderHandle finder, int index, char *buffer, short *size);
/* Too small a buffer gives -4 with *size left as it was; else the first *size bytes are zeroed
 * and the alias copied. */
YOV_EXPORT int YOVOstrel12GetAlias(YOVFinderHandle finder, int index, char *buffer, short *size);
/* Sets the alias and polls every 100 ms while the camera reports the change in progress, for at
 * most 300 polls (about 30 s; then -1). -5 when the camera refused the alias; -1 for an empty
 * alias or one of 64 bytes or more (not sent). The size argument is ignored. */
YOV_EXPORT int YOVOstrel12SetAlias(YOVFinderHandle finder, int index, const char *alias,
                                   short size);
/* Sets the sub-domain; rules as YOVEnableOstrel12; -1 for an empty name or one of 64 bytes or
 * more. The size argument is ignored. */
YOV_EXPORT int YOVOstrel12SetSubDN(YOVFinderHandle finder, int index, const char *name,
                                   short size, _YOVFinderResult *result, int background);
/* Searches for cameras on the remote-access port; the list then holds those that answered, and
 * YOV_NOTIFY_CAMERA_FOUND carries version-2 records. Must not overlap a camera search.
 * background 0: 0 when any answered, -1 otherwise or while the background search runs.
 * background 1: 0 started, -3 no live sink, -5 still running. */
YOV_EXPORT int YOVOstrel12Search(YOVFinderHandle finder, int background);

#ifdef __cplusplus
}
#endif

#endif /* YOVFINDER_H */
