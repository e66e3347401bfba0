#include "net/WireConvert.h"
#include "model/Log.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "net/BotWire.h"

namespace {

const int WIRE_TAIL_FIELDS = 5;

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

// The words from `data` to `tankActive` hold a tank state record's values.
const size_t TANK_STATE_OFFSET = offsetof(SSocketMSG, data);
static_assert(TANK_STATE_OFFSET + TANK_STATE_VALUES * sizeof(float) <= WIRE_HEAD_BYTES,
              "a tank state fits the words from the data on");

int MappedObject(const SSocketMSG& rec, const std::vector<ZOConnectionID>& table)
{
    int object = rec.recipient;
    for (const ZOConnectionID& entry : table)
        if (entry.address == rec.recipientAddr)
            object = entry.objectIndex;
    return object;
}

}  // namespace

SSocketMSG WireFromGameMsg(const SGameMsg& msg, const std::vector<ZOConnectionID>& table, unsigned long sender)
{
    SSocketMSG rec{};
    // A pose travels in a type that peers following the original rules ignore.
    rec.type = msg.type == GMSG_TANK_POSE ? SMSG_TANK_POSE : msg.type;
    rec.time = msg.time;
    rec.senderAddr = sender;
    rec.count = msg.count;
    rec.recipient = msg.object;
    rec.recipientAddr = 0;
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].objectIndex == msg.object) {
            rec.recipient = (int)i;
            rec.recipientAddr = table[i].address;
        }
    }
    int values = msg.data ? Clamp(msg.count, 0, WIRE_DATA_VALUES) : 0;
    if (values > 0)
        std::memcpy(rec.data, msg.data.get(), values * sizeof(float));
    return rec;
}

SGameMsg GameMsgFromWire(const SSocketMSG& rec, const std::vector<ZOConnectionID>& table)
{
    if (rec.type == SMSG_TANK_STATE)
        return TankStateFromWire(rec, table);
    if (rec.type == SMSG_POWERUP_STATE) {
        SGameMsg msg = MakeMsg(GMSG_POWERUP_STATE, rec.recipient, POWERUP_STATE_VALUES, rec.data, rec.time);
        msg.sender = (unsigned int)rec.senderAddr;
        return msg;
    }
    SGameMsg msg;
    msg.type = rec.type == SMSG_TANK_POSE ? GMSG_TANK_POSE : rec.type;
    msg.time = rec.time;
    msg.sender = (unsigned int)rec.senderAddr;
    msg.sequence = ReadStamp(rec).sequence;
    // Anyone can send a record: the message claims no more values than travelled.
    msg.count = Clamp(rec.count, 0, WIRE_DATA_VALUES);
    msg.object = MappedObject(rec, table);
    if (msg.type == GMSG_FRAG) {
        LogOut("Recepiant: %d\n", msg.object);
    }
    if (msg.count > 0)
        msg.data = CMsgData(rec.data, msg.count);
    return msg;
}

SSocketMSG ConnectRecord(int type, const SGameObject& tank, unsigned long sender, unsigned long dest)
{
    SSocketMSG rec{};
    rec.type = type;
    rec.senderAddr = sender;
    rec.destAddr = (uint32_t)dest;
    rec.tankKind = (float)tank.kind;
    rec.tankModel = (float)tank.model;
    rec.tankTexture0 = (float)(unsigned int)tank.texture0;
    rec.tankTexture1 = (float)(unsigned int)tank.texture1;
    const float vectors[6] = {tank.pos.x, tank.pos.y, tank.pos.z, tank.angles.x, tank.angles.y, tank.angles.z};
    std::memcpy(rec.data, vectors, sizeof vectors);
    std::memcpy(rec.tankEffect, tank.effect, sizeof rec.tankEffect);
    for (int k = 0; k < 2; ++k)
        rec.tankState[k] = (tank.state && tank.stateCount > k) ? tank.state[k] : 0;
    rec.tankActive = (float)tank.active;
    return rec;
}

SSocketMSG TankStateRecord(const SGameObject& tank, unsigned long sender, unsigned long dest, unsigned long time)
{
    SSocketMSG rec{};
    rec.type = SMSG_TANK_STATE;
    rec.senderAddr = sender;
    rec.recipientAddr = sender;
    rec.destAddr = (uint32_t)dest;
    rec.time = time;
    float v[TANK_STATE_VALUES] = {tank.pos.x, tank.pos.y, tank.pos.z, tank.angles.x, tank.angles.y, tank.angles.z};
    const float* s = tank.state && tank.stateCount >= TANK_STATE_COUNT ? tank.state : 0;
    for (int k = 0; k < 3; ++k)
        v[TSV_CONDITIONS + k] = s ? s[TS_DRIVE + k] : 1;
    v[TSV_POWERUP_KIND] = s ? s[TS_POWERUP_KIND] : 0;
    v[TSV_POWERUP_LEFT] = s ? s[TS_POWERUP_LEFT] : 0;
    v[TSV_ACTIVE] = (float)tank.active;
    for (int k = 0; k < 4; ++k)
        v[TSV_EFFECT + k] = tank.effect[k];
    v[TSV_RELOAD_AGE] = (float)(unsigned int)((unsigned int)time - (unsigned int)tank.timer);
    std::memcpy(reinterpret_cast<unsigned char*>(&rec) + TANK_STATE_OFFSET, v, sizeof v);
    return rec;
}

SGameMsg TankStateFromWire(const SSocketMSG& rec, const std::vector<ZOConnectionID>& table)
{
    float v[TANK_STATE_VALUES];
    std::memcpy(v, reinterpret_cast<const unsigned char*>(&rec) + TANK_STATE_OFFSET, sizeof v);
    SGameMsg msg = MakeMsg(GMSG_TANK_STATE, MappedObject(rec, table), TANK_STATE_VALUES, v, rec.time);
    msg.sender = (unsigned int)rec.senderAddr;
    return msg;
}

SSocketMSG PowerUpStateRecord(int index, unsigned long back, unsigned long sender, unsigned long dest,
                              unsigned long time)
{
    SSocketMSG rec{};
    rec.type = SMSG_POWERUP_STATE;
    rec.senderAddr = sender;
    rec.destAddr = (uint32_t)dest;
    rec.recipient = index;
    rec.count = POWERUP_STATE_VALUES;
    rec.time = time;
    unsigned int at = (unsigned int)back;
    rec.data[PSV_BACK_HIGH] = (float)(at / POWERUP_TIME_HALF);
    rec.data[PSV_BACK_LOW] = (float)(at % POWERUP_TIME_HALF);
    return rec;
}

SSocketMSG ResendRequest(const std::vector<SSequenceRange>& ranges, unsigned long sender, unsigned long dest)
{
    SSocketMSG rec{};
    rec.type = SMSG_RESEND_REQUEST;
    rec.senderAddr = sender;
    rec.destAddr = (uint32_t)dest;
    uint32_t words[2 * RESEND_RANGES] = {};
    size_t count = ranges.size() < (size_t)RESEND_RANGES ? ranges.size() : (size_t)RESEND_RANGES;
    for (size_t i = 0; i < count; ++i) {
        words[2 * i] = ranges[i].first;
        words[2 * i + 1] = ranges[i].count;
    }
    rec.count = (int32_t)count;
    std::memcpy(rec.data, words, sizeof words);
    return rec;
}

std::vector<SSequenceRange> RequestedRanges(const SSocketMSG& request, uint32_t maxCount)
{
    uint32_t words[2 * RESEND_RANGES];
    std::memcpy(words, request.data, sizeof words);
    std::vector<SSequenceRange> ranges;
    for (int i = 0; i < Clamp(request.count, 0, RESEND_RANGES); ++i)
        ranges.push_back(SSequenceRange{words[2 * i], words[2 * i + 1] < maxCount ? words[2 * i + 1] : maxCount});
    return ranges;
}

SSocketMSG RelayRequest(const SRelayAsk& ask, unsigned long sender, unsigned long dest)
{
    SSocketMSG rec = ResendRequest(ask.ranges, sender, dest);
    rec.type = SMSG_RELAY_REQUEST;
    rec.recipientAddr = ask.origin;
    std::memcpy(&rec.data[2 * RESEND_RANGES], &ask.highest, sizeof ask.highest);
    std::memcpy(&rec.tankKind, &ask.incarnation, sizeof ask.incarnation);
    return rec;
}

SRelayAsk RelayAskFrom(const SSocketMSG& request, uint32_t maxCount)
{
    SRelayAsk ask{request.recipientAddr, 0, 0, RequestedRanges(request, maxCount)};
    std::memcpy(&ask.highest, &request.data[2 * RESEND_RANGES], sizeof ask.highest);
    std::memcpy(&ask.incarnation, &request.tankKind, sizeof ask.incarnation);
    return ask;
}

bool NumberedType(int type)
{
    return (type >= 1 && type < SMSG_CONNECT) || type == SMSG_TANK_STATE || type == SMSG_TANK_POSE ||
           type == SMSG_BOT_MSG;
}

SSocketMSG RelayedRecord(const SSocketMSG& rec, unsigned long dest)
{
    SSocketMSG relayed = rec;
    relayed.destAddr = (uint32_t)dest;
    if (rec.type == SMSG_BOT_MSG) {
        relayed.type = SMSG_RELAYED_BOT_MSG;
    } else {
        relayed.type = SMSG_RELAYED;
        std::memcpy(relayed.reserved + sizeof(SWireStamp), &rec.type, sizeof rec.type);
    }
    return relayed;
}

SSocketMSG RecordFromRelayed(const SSocketMSG& relayed)
{
    SSocketMSG rec = relayed;
    if (relayed.type == SMSG_RELAYED_BOT_MSG) {
        rec.type = SMSG_BOT_MSG;
    } else {
        std::memcpy(&rec.type, relayed.reserved + sizeof(SWireStamp), sizeof rec.type);
        std::memset(rec.reserved + sizeof(SWireStamp), 0, sizeof rec.reserved - sizeof(SWireStamp));
    }
    return rec;
}

STankPrototype* TankFromWire(const SSocketMSG& rec)
{
    SGameObject base;
    // Whatever the record claims, what is built is a tank: a peer's tank
    // with another kind would be taken for a power-up or the ground.
    base.kind = KIND_TANK;
    base.model = WireInt(rec.tankModel);
    base.texture0 = WireInt(rec.tankTexture0);
    base.texture1 = WireInt(rec.tankTexture1);
    base.pos = Vector3f(rec.data[0], rec.data[1], rec.data[2]);
    base.angles = Vector3f(rec.data[3], rec.data[4], rec.data[5]);
    for (int k = 0; k < 4; ++k) {
        base.bbox[k] = 0;
        base.effect[k] = rec.tankEffect[k];
    }
    base.active = WireInt(rec.tankActive);
    base.timer = 0;
    STankPrototype* tank = new STankPrototype(base);
    tank->state[TS_SPEED] = rec.tankState[0];
    tank->state[TS_TURN_RATE] = rec.tankState[1];
    return tank;
}

void WidenRecord(const unsigned char* narrow, unsigned char* wide)
{
    std::memcpy(wide, narrow, WIRE_HEAD_BYTES);
    for (int k = 0; k < WIRE_TAIL_FIELDS; ++k) {
        std::memcpy(wide + WIRE_HEAD_BYTES + 8 * k, narrow + WIRE_HEAD_BYTES + 4 * k, 4);
        std::memset(wide + WIRE_HEAD_BYTES + 8 * k + 4, 0, 4);
    }
}

void NarrowRecord(const unsigned char* wide, unsigned char* narrow)
{
    std::memcpy(narrow, wide, WIRE_HEAD_BYTES);
    for (int k = 0; k < WIRE_TAIL_FIELDS; ++k)
        std::memcpy(narrow + WIRE_HEAD_BYTES + 4 * k, wide + WIRE_HEAD_BYTES + 8 * k, 4);
}

bool RecordFromDatagram(const void* bytes, size_t length, SSocketMSG& rec)
{
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    unsigned char native[WIRE_WIDE_RECORD];
    if (length == sizeof rec)
        std::memcpy(native, in, length);
    else if (length == WIRE_NARROW_RECORD)
        WidenRecord(in, native);
    else if (length == WIRE_WIDE_RECORD)
        NarrowRecord(in, native);
    else
        return false;
    std::memcpy(&rec, native, sizeof rec);
    return true;
}

int WireInt(float value)
{
    if (std::isnan(value))
        return 0;
    // Beyond the int range lie only numbers that no asset has, among them the
    // negative texture numbers that travel as unsigned values: all stay invalid.
    if (value >= 2147483648.0f || value < -2147483648.0f)
        return -1;
    return (int)value;
}

std::string DottedAddress(unsigned long address)
{
    uint32_t value = (uint32_t)address;
    unsigned char bytes[4];
    std::memcpy(bytes, &value, 4);
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

namespace {

bool ParseDotted(const std::string& word, unsigned long& address)
{
    unsigned char bytes[4];
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && (at >= word.size() || word[at++] != '.'))
            return false;
        size_t digits = 0;
        unsigned value = 0;
        while (at < word.size() && word[at] >= '0' && word[at] <= '9' && digits < 3) {
            value = value * 10 + (unsigned)(word[at++] - '0');
            ++digits;
        }
        if (digits == 0 || value > 255)
            return false;
        bytes[part] = (unsigned char)value;
    }
    if (at != word.size())
        return false;
    uint32_t value;
    std::memcpy(&value, bytes, 4);
    address = value;
    return true;
}

}  // namespace

std::vector<unsigned long> AddressList(const std::string& text, std::vector<std::string>& refused)
{
    std::vector<unsigned long> addresses;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of(", \t", at);
        if (end == std::string::npos)
            end = text.size();
        std::string word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty())
            continue;
        unsigned long address;
        if (ParseDotted(word, address))
            addresses.push_back(address);
        else
            refused.push_back(word);
    }
    return addresses;
}
