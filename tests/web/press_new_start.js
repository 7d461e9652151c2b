// Opens the tool's web page in Debian's Chromium: without its password and
// with one that differs in the last character the page must not connect;
// at the address itself the whole desktop must be scaled to the window.
// Then, by clicks on the noVNC canvas alone, presses "New" and "Start" in
// the tool's window.
// Usage: node press_new_start.js URL DESKTOP_WIDTHxHEIGHT [SCREENSHOT.png]
// Exits non-zero, saying why, when any step fails or takes too long.
const { chromium } = require('playwright-core');

const kStepTimeoutMs = 20000;
// A laptop's screen, lower than the desktop; an https page's certificate,
// made for the test, is taken unchecked.
const kPage = { viewport: { width: 1280, height: 720 }, ignoreHTTPSErrors: true };

// The admin window's template is 496 x 247 dialog units; its "Start" and
// "New" buttons are 50 x 15 units at (5, 150) and (70, 150). Its font, 8 pt
// "MS Shell Dlg", makes 4 x 8 units 6 x 13 pixels at 96 DPI.
const kClientUnits = { width: 496, height: 247 };
const kButtonCentres = { start: { x: 30, y: 157.5 }, new: { x: 95, y: 157.5 } };
const kPixelsPerUnit = { x: 6 / 4, y: 13 / 8 };
// Below the template's area the window grows by its status bar, which that
// font makes 20 pixels high.
const kStatusBarPixels = 20;

// Looks at the noVNC canvas as the page shows it: where the canvas is and
// how much it is scaled, the one window on the desktop (the bounding box of
// every pixel that differs from the desktop's colour, read in the bottom
// right corner), and the pixels around a point of the page, if one is given.
async function look(page, point) {
    return page.evaluate(point => {
        const canvases = [...document.querySelectorAll('canvas')];
        const canvas = canvases.sort((a, b) => b.width * b.height - a.width * a.height)[0];
        if (!canvas || canvas.width === 0)
            return null;
        const { width, height } = canvas;
        const box = canvas.getBoundingClientRect(), scale = box.width / width;
        const pixels = new Uint32Array(canvas.getContext('2d').getImageData(0, 0, width, height).data.buffer);
        const background = pixels[width * height - 1];
        let left = width, top = height, right = -1, bottom = -1;
        for (let y = 0; y < height; ++y) {
            for (let x = 0; x < width; ++x) {
                if (pixels[y * width + x] === background)
                    continue;
                left = Math.min(left, x); right = Math.max(right, x);
                top = Math.min(top, y); bottom = Math.max(bottom, y);
            }
        }
        let around = '';
        if (point) {
            const x0 = Math.round((point.x - box.left) / scale) - 20, y0 = Math.round((point.y - box.top) / scale) - 6;
            for (let y = y0; y < y0 + 12; ++y)
                around += pixels.slice(y * width + x0, y * width + x0 + 40).join() + ';';
        }
        const window = right < 0 ? null : { left, top, right: right + 1, bottom: bottom + 1 };
        return { width, height, left: box.left, top: box.top, scale, window, around };
    }, point);
}

// Where a button's centre is on the page, measured from the window's
// bottom-left corner, below which lie only the status bar and the window's
// border.
function buttonOnPage(screen, centre) {
    const { window } = screen;
    const border = (window.right - window.left - kClientUnits.width * kPixelsPerUnit.x) / 2;
    const clientBottom = window.bottom - border - kStatusBarPixels;
    return {
        x: screen.left + (window.left + border + centre.x * kPixelsPerUnit.x) * screen.scale,
        y: screen.top + (clientBottom - (kClientUnits.height - centre.y) * kPixelsPerUnit.y) * screen.scale,
    };
}

async function until(what, probe) {
    const deadline = Date.now() + kStepTimeoutMs;
    for (;;) {
        const result = await probe();
        if (result)
            return result;
        if (Date.now() > deadline)
            throw new Error(`timed out: ${what}`);
        await new Promise(resolve => setTimeout(resolve, 250));
    }
}

async function main(url, desktop, screenshot) {
    const browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        timeout: kStepTimeoutMs,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    try {
        // Without the password the page asks for it, with one that differs in
        // its last character it is refused: either way it must not connect.
        const password = new URL(url).searchParams.get('password') ?? '', base = url.replace(`&password=${password}`, '');
        const wrong = `${base}&password=${password.slice(0, 7)}${password[7] === 'A' ? 'B' : 'A'}`;
        for (const [address, shown] of [[base, '#noVNC_credentials_dlg.noVNC_open'], [wrong, '.noVNC_status_error']]) {
            const probe = await browser.newPage(kPage);
            await probe.goto(address, { timeout: kStepTimeoutMs });
            await probe.waitForSelector(`${shown}, html.noVNC_connected`, { timeout: kStepTimeoutMs });
            if (await probe.$('html.noVNC_connected'))
                throw new Error(`${address} connects`);
        }

        const page = await browser.newPage(kPage);
        await page.goto(url, { timeout: kStepTimeoutMs });

        // The window has appeared once two looks a moment apart agree on it
        // and it is at least as wide as its template.
        let previous = null;
        const screen = await until('the tool\'s window on the page', async () => {
            const screen = await look(page);
            const window = screen && JSON.stringify(screen.window);
            const same = screen && screen.window && window === previous;
            previous = window;
            const wide = same && screen.window.right - screen.window.left >= kClientUnits.width * kPixelsPerUnit.x;
            return wide ? screen : null;
        });
        console.log(`window at ${JSON.stringify(screen.window)} of the ${screen.width}x${screen.height} desktop`);
        const fit = Math.min(kPage.viewport.width / screen.width, kPage.viewport.height / screen.height);
        if (`${screen.width}x${screen.height}` !== desktop || Math.abs(screen.scale - fit) > 0.01)
            throw new Error(`the ${desktop} desktop is not scaled to the window, but by ${screen.scale}`);

        const start = buttonOnPage(screen, kButtonCentres.start);
        const disabledStart = (await look(page, start)).around;
        const add = buttonOnPage(screen, kButtonCentres.new);
        await page.mouse.click(add.x, add.y);
        // "Start" turns enabled once the new server is the current one.
        await until('"Start" enabled after "New"', async () => (await look(page, start)).around !== disabledStart);
        await page.mouse.click(start.x, start.y);
        if (screenshot) {
            await new Promise(resolve => setTimeout(resolve, 2000));
            await page.screenshot({ path: screenshot });
        }
    } finally {
        await browser.close();
    }
}

main(process.argv[2], process.argv[3], process.argv[4]).catch(error => {
    console.error(`browser: ${error.message}`);
    process.exit(1);
});
