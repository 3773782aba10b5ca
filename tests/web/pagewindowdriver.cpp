// SPDX-License-Identifier: MIT
#include "pagewindowdriver.h"

#include "goldentext.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace pemtos::page {
namespace {

using behaviour::BuiltControl;

/// Functions every script of the driver may use.
constexpr const char *kHelpers = R"js(
var CONTROLS = '.form, .frame, .command, .label, .list, .option, .picture, .image';
/** The element that stands for the control `name`: what takes the focus and the clicks. */
function elementOf(name) { return document.getElementById(name); }
/** The element placed at the control's rectangle: an option's whole label. */
function boxOf(name) { var e = elementOf(name); return e.closest('label.option') || e; }
/** The design name of the control that `e` is or is a part of, '' for none. */
function nameOf(e) {
  for (; e !== null && e !== document.body; e = e.parentElement) {
    if (e.matches('label.option')) return e.querySelector('input').id;
    if (e.matches(CONTROLS) && e.id && e.closest('#Form1')) return e.id;
  }
  return '';
}
/** The control whose row of the layout table is `entry`, by the stacking the page gives it. */
function nameAt(entry) {
  var box = Array.from(document.querySelectorAll(CONTROLS)).find(
      b => b.style.getPropertyValue('--stack') === String(entry));
  return box === undefined ? '' : nameOf(box);
}
function entryOf(name) {
  return name === '' ? -1 : Number(boxOf(name).style.getPropertyValue('--stack'));
}
)js";

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string u16(const QJsonValue &value)
{
    return value.toString().toStdU16String();
}

std::vector<std::u16string> texts(const QJsonValue &value)
{
    std::vector<std::u16string> out;
    for (const auto &text : value.toArray())
        out.push_back(u16(text));
    return out;
}

/// The key's WebDriver code.
QString keyCode(behaviour::Key key)
{
    switch (key) {
    case behaviour::Key::Tab:
        return QStringLiteral("\uE004");
    case behaviour::Key::Left:
        return QStringLiteral("\uE012");
    case behaviour::Key::Right:
        return QStringLiteral("\uE014");
    case behaviour::Key::Up:
        return QStringLiteral("\uE013");
    case behaviour::Key::Down:
        return QStringLiteral("\uE015");
    case behaviour::Key::Space:
        return QStringLiteral("\uE00D");
    case behaviour::Key::Enter:
        break;
    }
    return QStringLiteral("\uE007");
}

/// The click handlers' control operations, each run in the page's module through
/// its test entry point, so that they meet the page's own controls and planted failures.
class PageControls final : public window::Controls {
public:
    explicit PageControls(PageWindowDriver &page) : m_page(page) {}

    window::Status setCaption(std::u16string_view label, std::u16string_view text) override
    {
        return done(call(window::Operation::CaptionSet, label, text));
    }
    window::Status clear(std::u16string_view list) override { return done(call(window::Operation::Clear, list)); }
    window::Status addItem(std::u16string_view list, std::u16string_view text) override
    {
        return done(call(window::Operation::AddItem, list, text));
    }
    window::Outcome<std::int16_t> listIndex(std::u16string_view list) override
    {
        const Result result = call(window::Operation::ListIndexGet, list);
        if (result.error)
            return *result.error;
        return static_cast<std::int16_t>(result.number);
    }
    window::Outcome<std::u16string> list(std::u16string_view list, std::int16_t index) override
    {
        Result result = call(window::Operation::ListGet, list, {}, index);
        if (result.error)
            return *result.error;
        return std::move(result.text);
    }
    window::Outcome<bool> value(std::u16string_view option) override
    {
        const Result result = call(window::Operation::ValueGet, option);
        if (result.error)
            return *result.error;
        return result.number != 0;
    }
    void reportError(const window::ControlError &error) override
    {
        // The page reports its own failures; nothing here fails on the page's behalf.
        ADD_FAILURE() << "a test reported " << golden::utf8(error.control) << " itself";
    }

private:
    struct Result {
        std::optional<window::ControlError> error;
        int number = 0;
        std::u16string text;
    };

    static window::Status done(const Result &result)
    {
        if (result.error)
            return *result.error;
        return window::Done{};
    }

    Result call(window::Operation operation, std::u16string_view control, std::u16string_view text = {}, int index = 0)
    {
        const QJsonArray answer = m_page
                                      .run(QStringLiteral(R"js(
var name = arguments[1], text = arguments[2];
var at = Module._pemtos_operation_texts(name.length + text.length) >> 1;
for (var i = 0; i < name.length + text.length; ++i)
  Module.HEAPU16[at + i] = (name + text).charCodeAt(i);
var result = Module._pemtos_control_operation(arguments[0], name.length, text.length, arguments[3]) >> 2;
var words = Module.HEAP32, from = words[result + 4] >> 1;
return [words[result], words[result + 1], words[result + 2],
        String.fromCharCode.apply(null, Module.HEAPU16.subarray(from, from + words[result + 3]))];)js"),
                                           QJsonArray{static_cast<int>(operation), qs(control), qs(text), index})
                                      .toArray();
        Result result;
        if (answer.size() != 4) {
            ADD_FAILURE() << "no answer from the page's control operation";
            result.error = window::ControlError{operation, std::u16string(control)};
            return result;
        }
        if (answer.at(0).toInt() != 0)
            result.error =
                window::ControlError{static_cast<window::Operation>(answer.at(1).toInt()), u16(answer.at(3))};
        result.number = answer.at(2).toInt();
        result.text = u16(answer.at(3));
        return result;
    }

    PageWindowDriver &m_page;
};

} // namespace

PageWindowDriver::PageWindowDriver(const Viewport &viewport)
    : m_session(PageSession::current()), m_designedLayout(viewport.width >= 955),
      m_controls(std::make_unique<PageControls>(*this))
{
    m_session.resize(viewport);
    const Reply loaded =
        m_session.browser().command("POST", QStringLiteral("/url"), QJsonObject{{"url", m_session.url()}});
    EXPECT_EQ(loaded.error, "");
    bool built = false;
    for (int attempt = 0; attempt < 500 && !built; ++attempt) {
        built = run(QStringLiteral("var list = elementOf('List1');"
                                   "return list !== null && list.closest('[aria-busy]') === null &&"
                                   " Array.from(document.images).every(i => i.complete);"))
                    .toBool();
        if (!built)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!built) {
        ADD_FAILURE() << "the page did not build its window";
        return;
    }
    // The error report is read and closed with its OK button as soon as it opens, as the
    // desktop drivers close their message boxes: a modal report would take every click.
    run(QStringLiteral(R"js(
window.pemtosReports = [];
new MutationObserver(function () {
  var report = document.querySelector('dialog.error-report');
  if (report === null || !report.open) return;
  window.pemtosReports.push(report.querySelector('h2').textContent + '\n' + report.querySelector('p').textContent);
  report.querySelector('button').click();
}).observe(document.body, {subtree: true, childList: true, attributes: true, attributeFilter: ['open']});)js"));
    // A phone's page opens with the focus on nothing, as pages do; a keyboard user
    // starts with Tab, which the one-column layout leads to the first tree form. The
    // desktop window opens with that focus, so the page is met where that Tab leaves it.
    if (!m_designedLayout)
        PageWindowDriver::press(behaviour::Key::Tab);
    m_firstFocus = PageWindowDriver::focused();
}

PageWindowDriver::~PageWindowDriver() = default;

QJsonValue PageWindowDriver::run(const QString &body, const QJsonArray &arguments)
{
    // Evaluated through the DevTools protocol: a third of the time of WebDriver's own
    // script command, which matters over the thousands of reads of a run.
    const QString call = QStringLiteral("(function () {%1\n%2\n}).apply(null, %3)")
                             .arg(QString::fromLatin1(kHelpers), body,
                                  QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)));
    const Reply reply = m_session.browser().devTools(QStringLiteral("Runtime.evaluate"),
                                                     QJsonObject{{"expression", call}, {"returnByValue", true}});
    const QJsonObject answer = reply.value.toObject();
    if (!reply.error.empty() || answer.contains("exceptionDetails")) {
        ADD_FAILURE() << "in the page: " << reply.error
                      << answer.value("exceptionDetails")
                             .toObject()
                             .value("exception")
                             .toObject()
                             .value("description")
                             .toString()
                             .toStdString();
        return {};
    }
    return answer.value("result").toObject().value("value");
}

void PageWindowDriver::clickAt(const QString &find, const QJsonArray &arguments, const std::string &what)
{
    // Scrolled into view first, as a person scrolls to what they tap; `find` gives
    // no element for none and null for one the layout does not show.
    const QJsonValue target = run(find + QStringLiteral(R"js(
if (target === null || target === undefined) return false;
if (target.getClientRects().length === 0) return null;
target.scrollIntoView({block: 'nearest'});
var r = target.getBoundingClientRect();
return [Math.round(r.left + r.width / 2), Math.round(r.top + r.height / 2)];)js"),
                                  arguments);
    if (target.isNull() && !m_designedLayout)
        return; // the one-column layout leaves out what shows nothing: nothing to click there
    if (!target.isArray()) {
        ADD_FAILURE() << "nothing to click for " << what;
        return;
    }
    // The mouse pressed and released in the middle of the element (for an option
    // button, its circle): the browser's own input, as WebDriver's pointer actions send
    // it, at a quarter of their time.
    for (const char *type : {"mousePressed", "mouseReleased"}) {
        const Reply reply = m_session.browser().devTools(QStringLiteral("Input.dispatchMouseEvent"),
                                                         QJsonObject{{"type", type},
                                                                     {"x", target.toArray().at(0)},
                                                                     {"y", target.toArray().at(1)},
                                                                     {"button", "left"},
                                                                     {"clickCount", 1}});
        if (!reply.error.empty())
            ADD_FAILURE() << "click on " << what << ": " << reply.error;
    }
}

void PageWindowDriver::click(std::u16string_view control)
{
    clickAt(QStringLiteral("var target = elementOf(arguments[0]);"), {qs(control)}, golden::utf8(control));
}

std::u16string PageWindowDriver::caption(std::u16string_view label)
{
    return u16(run(QStringLiteral("return elementOf(arguments[0]).textContent;"), {qs(label)}));
}

std::vector<std::u16string> PageWindowDriver::rows()
{
    return texts(run(QStringLiteral("return Array.from(elementOf('List1').children, row => row.textContent);")));
}

int PageWindowDriver::selectedRow()
{
    return run(QStringLiteral("return Array.from(elementOf('List1').children)"
                              ".findIndex(row => row.getAttribute('aria-selected') === 'true');"))
        .toInt(-2);
}

void PageWindowDriver::selectRow(int row)
{
    clickAt(QStringLiteral("var target = elementOf('List1').children[arguments[0]];"), {row},
            "row " + std::to_string(row));
}

std::vector<std::u16string> PageWindowDriver::checkedOptions()
{
    return texts(run(QStringLiteral(
        "return Array.from(document.querySelectorAll('#Form1 input[type=radio]:checked'), option => option.id);")));
}

std::u16string PageWindowDriver::focused()
{
    return u16(run(QStringLiteral("return nameOf(document.activeElement);")));
}

void PageWindowDriver::focus(std::u16string_view control)
{
    run(QStringLiteral("elementOf(arguments[0]).focus();"), {qs(control)});
}

void PageWindowDriver::press(behaviour::Key key)
{
    const QString code = keyCode(key);
    const QJsonObject keyboard{{"type", "key"},
                               {"id", "keyboard"},
                               {"actions", QJsonArray{QJsonObject{{"type", "keyDown"}, {"value", code}},
                                                      QJsonObject{{"type", "keyUp"}, {"value", code}}}}};
    const Reply reply =
        m_session.browser().command("POST", QStringLiteral("/actions"), QJsonObject{{"actions", QJsonArray{keyboard}}});
    if (!reply.error.empty())
        ADD_FAILURE() << "key press: " << reply.error;
}

std::u16string PageWindowDriver::defaultLookingButton()
{
    // A page draws no default button's outline: the button that Enter presses from
    // where the focus is stands for it, as the page's keyboard code asks its module.
    return u16(run(
        QStringLiteral("return nameAt(Module._pemtos_button_for_enter(entryOf(nameOf(document.activeElement))));")));
}

std::u16string PageWindowDriver::controlAt(std::u16string_view control, int x, int y)
{
    return u16(
        run(QStringLiteral("var r = boxOf(arguments[0]).getBoundingClientRect();"
                           "return nameOf(document.elementFromPoint(r.left + arguments[1], r.top + arguments[2]));"),
            {qs(control), x, y}));
}

void PageWindowDriver::failOperation(int n)
{
    run(QStringLiteral("Module._pemtos_fail_operation(arguments[0]);"), {n});
}

std::vector<std::u16string> PageWindowDriver::takeErrorReports()
{
    return texts(run(QStringLiteral("var reports = window.pemtosReports; window.pemtosReports = []; return reports;")));
}

window::Controls &PageWindowDriver::controls()
{
    return *m_controls;
}

std::vector<BuiltControl> PageWindowDriver::builtControls()
{
    const QJsonArray controls = run(QStringLiteral(R"js(
var CLASSES = {form: 'Form', frame: 'Frame', command: 'CommandButton', label: 'Label', list: 'ListBox',
               option: 'OptionButton', picture: 'PictureBox', image: 'Image'};
var first = arguments[0];
function rgb(colour) {
  var parts = colour.match(/\d+/g).map(Number);
  return (parts[0] << 16) | (parts[1] << 8) | parts[2];
}
/** FNV-1a over the drawing's pixels as the browser decoded them, drawn on a canvas. */
function drawing(image) {
  var canvas = document.createElement('canvas');
  canvas.width = image.naturalWidth;
  canvas.height = image.naturalHeight;
  var context = canvas.getContext('2d');
  context.drawImage(image, 0, 0);
  var pixels = context.getImageData(0, 0, canvas.width, canvas.height).data, hash = 2166136261;
  for (var i = 0; i < pixels.length; i += 4)
    for (var c = 0; c < 3; ++c)
      hash = Math.imul(hash ^ pixels[i + c], 16777619) >>> 0;
  return [canvas.width, canvas.height, hash];
}
// The Tab order: the stops the page's Tab goes to, from the control focused at start.
var stops = {}, stop = 0, at = entryOf(first);
for (var step = 0; step < 100; ++step) {
  var name = nameAt(at), e = elementOf(name);
  if (e.getClientRects().length > 0 && !e.disabled && stops[name] === undefined)
    stops[name] = ++stop;
  at = Module._pemtos_next_tab_stop(at, 0);
  if (at === entryOf(first)) break;
}
function describe(box) {
  var kind = Object.keys(CLASSES).find(c => box.classList.contains(c));
  var name = nameOf(box), element = elementOf(name);
  var holder = box.parentElement.closest(CONTROLS);
  var container = holder === null ? '' : nameOf(holder);
  var rect = box.getBoundingClientRect(), origin = holder === null ? rect : holder.getBoundingClientRect();
  var style = getComputedStyle(box);
  var built = {
    cls: CLASSES[kind], name: name, container: container,
    rect: [rect.left - origin.left, rect.top - origin.top, rect.width, rect.height].map(Math.round),
    visible: box.getClientRects().length > 0 && style.visibility !== 'hidden', enabled: !element.disabled,
    tab: stops[name] || 0, rows: [], named: '', caption: '',
  };
  if (kind === 'form') built.caption = document.title;
  else if (kind === 'frame') built.caption = box.querySelector('.frame-caption').textContent;
  else if (kind === 'command' || kind === 'label' || kind === 'option') built.caption = box.textContent;
  if (kind !== 'form' && kind !== 'picture' && kind !== 'image') {
    // A frame's font is its caption's.
    var font = getComputedStyle(kind === 'frame' ? box.querySelector('.frame-caption') : box);
    built.face = font.fontFamily.split(',')[0].trim().replace(/^"|"$/g, '');
    built.pixels = parseFloat(font.fontSize);
    built.weight = parseInt(font.fontWeight, 10);
  }
  // Colours the window gave the control, and the text colour drawn on them; the
  // others are its class's own.
  if (box.style.backgroundColor !== '' || box.style.color !== '') {
    built.back = rgb(style.backgroundColor);
    if (kind !== 'form') built.text = rgb(style.color);
  }
  built.named = element.getAttribute('aria-label') || '';
  var image = box.querySelector(':scope > img');
  if (image !== null) {
    built.named = image.alt;
    built.drawing = drawing(image);
  }
  if (kind === 'list') built.rows = Array.from(element.children, row => row.textContent);
  var children = Array.from(box.querySelectorAll(CONTROLS)).filter(c => c.parentElement.closest(CONTROLS) === box);
  children.sort((a, b) => Number(getComputedStyle(a).zIndex) - Number(getComputedStyle(b).zIndex));
  return [built].concat(...children.map(describe));
}
return describe(elementOf('Form1'));)js"),
                                    {qs(m_firstFocus)})
                                    .toArray();
    std::vector<BuiltControl> built;
    for (const auto &value : controls) {
        const QJsonObject control = value.toObject();
        BuiltControl one;
        one.controlClass = control.value("cls").toString().toStdString();
        one.name = u16(control.value("name"));
        one.container = u16(control.value("container"));
        const QJsonArray rect = control.value("rect").toArray();
        one.left = rect.at(0).toInt();
        one.top = rect.at(1).toInt();
        one.width = rect.at(2).toInt();
        one.height = rect.at(3).toInt();
        one.visible = control.value("visible").toBool();
        one.enabled = control.value("enabled").toBool();
        one.face = u16(control.value("face"));
        one.fontPixels = control.value("pixels").toInt();
        one.fontWeight = control.value("weight").toInt();
        if (control.contains("back"))
            one.back = static_cast<behaviour::Colour>(control.value("back").toInt());
        if (control.contains("text"))
            one.text = static_cast<behaviour::Colour>(control.value("text").toInt());
        one.caption = u16(control.value("caption"));
        one.accessibleName = u16(control.value("named"));
        one.tabStop = control.value("tab").toInt();
        one.rows = texts(control.value("rows"));
        const QJsonArray drawing = control.value("drawing").toArray();
        if (drawing.size() == 3) {
            one.drawingWidth = drawing.at(0).toInt();
            one.drawingHeight = drawing.at(1).toInt();
            one.drawingChecksum = static_cast<unsigned>(drawing.at(2).toDouble());
        }
        built.push_back(std::move(one));
    }
    return built;
}

} // namespace pemtos::page
